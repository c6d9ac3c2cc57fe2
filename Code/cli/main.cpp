// quorvid-batch: Quorvid's conversions from a terminal or a script.
#include "AppObjects.h"
#include "BatchOptions.h"
#include "BatchRun.h"
#include "ConsoleDialogs.h"
#include "ControlModels.h"
#include "Errors.h"
#include "LinuxPlatform.h"

#include <QCoreApplication>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

int GStopPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(GStopPipe[1], &byte, 1);
}

void ReportError(const QString& text)
{
    std::fprintf(stderr, "quorvid-batch: %s\n", text.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    TBatchOptions options;
    try {
        const unsigned cores = std::thread::hardware_concurrency();
        options = ParseBatchOptions(args, cores > 0 ? static_cast<int>(cores) : 1);
    } catch (const EUsageError& e) {
        ReportError(QString::fromUtf8(e.what()));
        return 2;
    }
    if (options.Help) {
        std::fputs(BatchUsage().toUtf8().constData(), stdout);
        return 0;
    }

    if (pipe2(GStopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ReportError(QStringLiteral("cannot set up the stop signal"));
        return 1;
    }
    struct sigaction action
    {
    };
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    TLinuxPlatform platform;
    SetPlatform(&platform);
    TConsoleDialogs dialogs;
    SetDialogs(&dialogs);
    SetApplicationTitle(QStringLiteral("Quorvid"));

    try {
        TControlModels models;
        TAppObjects objects(models);
        TBatchRun run(options, models, dialogs, stdout);
        return run.Run(GStopPipe[0]);
    } catch (const EUsageError& e) {
        ReportError(QString::fromUtf8(e.what()));
        return 2;
    } catch (const Exception& e) {
        ReportError(e.Message());
        return 1;
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
        return 1;
    }
}
