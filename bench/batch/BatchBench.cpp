// A batch of ten one-second clips through the real encoder: the driver's own time per file
// beyond its fixed pauses and the encoder's own time, and the program's CPU while it waits.
#include "AppObjects.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "FakeDialogs.h"
#include "FakePlatform.h"
#include "StrFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int cstFiles = 10;

void Fill(TChoiceList& list, const QStringList& optionList)
{
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.Select(StrToInt(optionList.last()));
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool Run(const QString& program, const QStringList& args, const QString& folder = {})
{
    QProcess p;
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(program, args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QString built = QStringLiteral(QUORVID_PROGRAM_DIR "/");

    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/quorvid-bench-XXXXXX"));
    const QString program = root.path() + QStringLiteral("/Quorvid/");
    const QString media = root.path() + QStringLiteral("/media/");
    const QString out = root.path() + QStringLiteral("/out/");
    QDir().mkpath(program + QStringLiteral("Config"));
    QDir().mkpath(media);
    QDir().mkpath(out);
    if (!QFile::copy(built + QStringLiteral("favc"), program + QStringLiteral("favc"))) {
        std::fprintf(stderr, "favc is not built in %s\n", qPrintable(built));
        return 1;
    }
    for (int i = 0; i < cstFiles; ++i) {
        const QString clip = media + QStringLiteral("clip%1.mp4").arg(i);
        if (!Run(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=1:size=320x240:rate=25", "-f", "lavfi",
                  "-i", "sine=duration=1", "-c:v", "mpeg4", "-c:a", "aac", clip})) {
            std::fprintf(stderr, "ffmpeg could not make the clips\n");
            return 1;
        }
    }

    // The real clock, but only the processes of this private folder are looked for.
    TFakePlatform platform;
    TFakeDialogs dialogs;
    SetPlatform(&platform);
    SetDialogs(&dialogs);
    platform.SetProgramFolder(program);
    platform.SetHomeFolder(root.path());
    platform.SetProcessScope(program);
    platform.RealSleepCapMs = 100000;

    TControlModels models;
    TAppObjects objects(models);
    TConvertingProgress progress;
    CustomProc->frmConverting = &progress;
    Fill(models.cbbOutputFiletype, GetOutputTypeList());
    Fill(models.cbbVideoSize, GetVideoSizeList());
    Fill(models.cbbVideoBitrate, GetVideoBitrateList());
    Fill(models.cbbFramerate, GetFrameRateList());
    Fill(models.cbbAspectratio, GetAspectRatioList());
    Fill(models.cbbAudioBitrate, GetAudioBitrateList());
    Fill(models.cbbAudioVolumeGain, GetAudioVolumeList());
    Fill(models.cbbAudioChannels, GetAudioChannelList());
    Fill(models.cbbAudioSample, GetAudioSampleList());
    models.edtOutputFolder.SetText(out);
    models.chkShowOutputDirectory.SetChecked(false);
    for (int i = 0; i < cstFiles; ++i) {
        const QString clip = media + QStringLiteral("clip%1.mp4").arg(i);
        models.dxTreeSourceFileInfo.AppendRow({"True", clip, "1 KB", "00:00:01", "00:00:00", "00:00:01", "00:00:01"});
    }

    // The encoder's own time per file, with the same command lines the run will use.
    std::vector<double> encoderMs;
    const QString scratch = root.path() + QStringLiteral("/scratch/");
    QDir().mkpath(scratch);
    models.edtOutputFolder.SetText(scratch);
    for (int i = 0; i < cstFiles; ++i) {
        const QString line = CommonLib->CreateConvertParameter(models.dxTreeSourceFileInfo.Cell(i, 1));
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.setWorkingDirectory(program);
        p.startCommand(line);
        p.waitForFinished(120000);
        encoderMs.push_back(double(t.elapsed()));
    }
    models.edtOutputFolder.SetText(out);

    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    CustomProc->ConvertCheckedFiles();
    const double wallMs = double(wall.elapsed());
    const double cpuMs = (CpuSeconds() - cpuBefore) * 1000;

    // Per file the run must take 2000 ms, then the longer of 3000 ms and the encoder's time.
    double expectedMs = 0;
    for (double e : encoderMs)
        expectedMs += 2000 + std::max(3000.0, e);
    int converted = 0;
    for (int i = 0; i < cstFiles; ++i)
        converted += QFile::exists(out + QStringLiteral("clip%1.mp4").arg(i)) ? 1 : 0;

    std::printf("files converted:             %d of %d\n", converted, cstFiles);
    std::printf("run wall time:               %.0f ms\n", wallMs);
    double encoderTotal = 0;
    for (double e : encoderMs)
        encoderTotal += e;
    std::printf("encoder time per file:       %.0f ms (mean)\n", encoderTotal / cstFiles);
    std::printf("driver overhead per file:    %.1f ms (target <= 100)\n", (wallMs - expectedMs) / cstFiles);
    std::printf("program CPU while waiting:   %.2f %% of one core (target < 5)\n", 100.0 * cpuMs / wallMs);
    SetPlatform(nullptr);
    SetDialogs(nullptr);
    return converted == cstFiles ? 0 : 1;
}
