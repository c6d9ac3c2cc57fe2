// The preview side's CPU while nothing plays: the video window with its logo, the range bar,
// the time display and the hidden position bar, shown and left alone for a while.
//   bench_idle [--seconds N] [--paint-timer] [--screenshot file.png]
// --paint-timer adds a 10 ms timer repainting the two markers, to compare with repainting them
// only when they change.
#include "ControlModels.h"
#include "DSTrackBar.h"
#include "DSVideoWindowEx2.h"
#include "LinuxPlatform.h"
#include "MpvGraph.h"
#include "PreviewControls.h"
#include "PreviewPlayer.h"
#include "RangeBar.h"
#include "RangeBarPanel.h"
#include "RangeMarker.h"

#include <QString>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TLinuxPlatform platform;
    SetPlatform(&platform);
    int seconds = 10;
    bool paintTimer = false;
    QString screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--paint-timer") == 0)
            paintTimer = true;
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
    }

    TControlModels models;
    TMpvGraph graph;
    TPreviewPlayer player(graph, models.dxTreeSourceFileInfo);
    TRangeBar bar(player, models.dxTreeSourceFileInfo);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorvid idle preview"));
    auto* layout = new QVBoxLayout(&window);
    auto* video = new TDSVideoWindowEx2(&window);
    video->setFixedSize(257, 155);
    video->SetFilterGraph(&graph);
    auto* panel = new TRangeBarPanel(bar, &window);
    QLabel* curTime = TPreviewControls::CreateCurTimePanel(&window);
    auto* playState = new QProgressBar(&window);
    playState->hide();
    TDSTrackBar track;
    track.SetFilterGraph(&graph);
    TPreviewControls controls(player, video, curTime, playState, &track);
    layout->addWidget(video);
    layout->addWidget(panel);
    layout->addWidget(curTime);
    window.show();

    QTimer paint;
    if (paintTimer) {
        paint.setInterval(10);
        QObject::connect(&paint, &QTimer::timeout, [panel] {
            panel->Splitter1()->repaint();
            panel->Splitter2()->repaint();
        });
        paint.start();
    }

    // Let the window settle before measuring.
    QTimer::singleShot(1000, [&] {
        if (!screenshot.isEmpty())
            window.grab().save(screenshot);
        const double cpu0 = CpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        QTimer::singleShot(seconds * 1000, [&, cpu0, wall0] {
            const double cpu = CpuSeconds() - cpu0;
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
            const double percent = 100.0 * cpu / wall;
            std::printf("platform %s, %s, %.1f s: CPU %.3f s = %.2f %% of one core (target < 2 %%): %s\n",
                        qPrintable(QGuiApplication::platformName()),
                        paintTimer ? "markers repainted every 10 ms" : "markers repainted on change", wall, cpu,
                        percent, percent < 2.0 ? "PASS" : "FAIL");
            QApplication::exit(percent < 2.0 ? 0 : 1);
        });
    });
    return QApplication::exec();
}
