// Probes 500 generated files the way adding files does and reports files per second.
//   bench_probe [MEDIA_FOLDER] [COUNT]
#include "ControlModels.h"
#include "LinuxPlatform.h"
#include "UnitCustomProc.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* const cstClips[] = {"clip.mp4",  "clip.m4v",          "clip.3gp",     "clip.avi",
                                "clip.asf",  "clip.wmv",          "clip.mov",     "clip.flv",
                                "clip.swf",  "clip.mpg",          "clip.mpeg",    "clip.rm",
                                "clip.rmvb", "eight-seconds.mp4", "odd-size.mp4", "surround-5.1.mp4"};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TLinuxPlatform platform;
    SetPlatform(&platform);
    const QString media = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QUORVID_BENCH_MEDIA_DIR);
    const int count = argc > 2 ? std::atoi(argv[2]) : 500;
    QTemporaryDir work;
    if (!work.isValid() || count <= 0)
        return 2;

    QStringList files;
    const int kinds = static_cast<int>(std::size(cstClips));
    for (int i = 0; i < count; ++i) {
        const QString clip = QString::fromLatin1(cstClips[i % kinds]);
        const QString source = QDir(media).filePath(clip);
        const QString target = work.filePath(QStringLiteral("%1-%2").arg(i, 4, 10, QLatin1Char('0')).arg(clip));
        if (!QFile::copy(source, target)) {
            std::fprintf(stderr, "cannot copy %s (run scripts/make-test-media first)\n", qPrintable(source));
            return 2;
        }
        files << target;
    }

    TControlModels models;
    TCustomProc customProc(models);
    int refused = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString& file : files)
        refused += customProc.ProbeDuration(file) == 0;
    const double probeSeconds = timer.nsecsElapsed() / 1e9;

    timer.restart();
    customProc.AddSourceFiles(files);
    const double addSeconds = timer.nsecsElapsed() / 1e9;

    std::printf("probe:  %d files in %.3f s = %.0f files/s (%d refused)\n", count, probeSeconds, count / probeSeconds,
                refused);
    std::printf("adding: %d rows in %.3f s = %.0f files/s\n", models.dxTreeSourceFileInfo.RowCount(), addSeconds,
                count / addSeconds);
    std::printf("target: 200 files/s -> %s\n", count / probeSeconds >= 200 ? "met" : "NOT met");
    return refused == 0 && models.dxTreeSourceFileInfo.RowCount() == count ? 0 : 1;
}
