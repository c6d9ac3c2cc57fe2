#include "BatchRun.h"

#include "AppObjects.h"
#include "CommandLine.h"
#include "ConsoleDialogs.h"
#include "ControlModels.h"
#include "EncoderChild.h"
#include "Platform.h"
#include "SourceFiles.h"
#include "StrFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <charconv>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void SelectText(TChoiceList& list, const QString& text)
{
    list.Select(static_cast<int>(list.Items().indexOf(text)));
}

// Seconds of output written so far, read from a progress line by the same field the progress
// window reads (index 4, or 2 for audio-only outputs other than 3GP), with its decimals.
double ProgressSeconds(const QString& line, const QString& codec, const QString& extension)
{
    const QStringList fields = SplitString(line, QLatin1Char('='));
    const bool audioField = codec.trimmed().startsWith(QLatin1String("-acodec")) && extension != QLatin1String(".3gp");
    const int index = audioField ? 2 : 4;
    if (fields.size() <= index)
        return -1;
    const QByteArray text = fields.at(index).trimmed().toLatin1();
    double seconds = -1;
    auto [end, ec] = std::from_chars(text.constData(), text.constData() + text.size(), seconds);
    if (ec != std::errc() || end == text.constData() || seconds >= 1e10)
        return -1;
    return seconds;
}

QString Seconds(double s)
{
    return QString::number(s, 'f', 1) + QStringLiteral(" s");
}

} // namespace

TBatchRun::TBatchRun(const TBatchOptions& options, TControlModels& models, TConsoleDialogs& dialogs, std::FILE* out)
    : FOptions(options), FModels(models), FDialogs(dialogs), FOut(out), FTerminal(isatty(fileno(out)) != 0)
{
}

TBatchRun::~TBatchRun() = default;

int TBatchRun::Run(int stopFd)
{
    ChooseOptions();
    AddFiles();
    ApplyTimes();
    BuildLines();
    if (FOptions.DryRun) {
        for (const TBatchFile& f : FFiles) {
            if (f.State == TBatchFile::Refused)
                std::fprintf(stderr, "quorvid-batch: %s: %s\n", f.Source.toUtf8().constData(),
                             f.Reason.toUtf8().constData());
            else
                std::fprintf(FOut, "%s\n", f.Line.toUtf8().constData());
        }
    } else {
        Convert(stopFd);
        PrintSummary();
    }
    for (const TBatchFile& f : FFiles)
        if (f.State != TBatchFile::Converted && !(FOptions.DryRun && f.State == TBatchFile::Pending))
            return 1;
    return 0;
}

void TBatchRun::ChooseOptions()
{
    CustomProc->FillAllLists();
    FModels.cbbOutputFiletype.Select(FOptions.OutputType);
    if (FOptions.Profile) {
        // Custom profiles follow the five levels in the quality list, as in the main window.
        const qsizetype at = FModels.cbbProfile.Items().indexOf(*FOptions.Profile, 5);
        if (at < 5)
            throw EUsageError(
                QStringLiteral("--profile: no stored profile named '%1'").arg(*FOptions.Profile).toStdString());
        FModels.cbbProfile.Select(static_cast<int>(at));
    } else {
        FModels.cbbProfile.Select(FOptions.Quality.value_or(2));
    }
    CustomProc->ApplyProfile();
    // The profile has been applied once; the builder must not apply it again over single options.
    FModels.cbbCustomProfile.Select(-1);
    const std::pair<const std::optional<QString>&, TChoiceList&> overrides[] = {
        {FOptions.Size, FModels.cbbVideoSize},
        {FOptions.VideoBitrate, FModels.cbbVideoBitrate},
        {FOptions.FrameRate, FModels.cbbFramerate},
        {FOptions.Aspect, FModels.cbbAspectratio},
        {FOptions.AudioBitrate, FModels.cbbAudioBitrate},
        {FOptions.SampleRate, FModels.cbbAudioSample},
        {FOptions.Volume, FModels.cbbAudioVolumeGain},
    };
    for (const auto& [value, list] : overrides)
        if (value)
            SelectText(list, *value);
    if (FOptions.Channels)
        FModels.cbbAudioChannels.Select(*FOptions.Channels - 1);
    if (FOptions.Output)
        FModels.edtOutputFolder.SetText(QFileInfo(*FOptions.Output).absoluteFilePath());
}

void TBatchRun::AddFiles()
{
    TSourceList& rows = FModels.dxTreeSourceFileInfo;
    for (const QString& given : FOptions.Files) {
        TBatchFile file;
        file.Source = QFileInfo(given).absoluteFilePath();
        const bool listed = std::any_of(FFiles.begin(), FFiles.end(), [&](const TBatchFile& f) {
            return f.Source == file.Source && f.State != TBatchFile::Refused;
        });
        if (listed) {
            file.State = TBatchFile::Refused;
            file.Reason = QStringLiteral("given more than once");
        } else if (!IsAcceptedSourceFile(file.Source)) {
            file.State = TBatchFile::Refused;
            file.Reason = QStringLiteral("not a supported file type");
        } else if (!QFileInfo(file.Source).isFile()) {
            file.State = TBatchFile::Refused;
            file.Reason = QStringLiteral("no such file");
        } else {
            const int before = rows.RowCount();
            CustomProc->AddSourceFiles({file.Source});
            const QStringList messages = FDialogs.TakeMessages();
            if (rows.RowCount() == before) {
                file.State = TBatchFile::Refused;
                file.Reason = messages.isEmpty() ? QStringLiteral("cannot be read") : messages.join(QLatin1Char(' '));
            }
        }
        FFiles.push_back(file);
    }
}

void TBatchRun::ApplyTimes()
{
    TSourceList& rows = FModels.dxTreeSourceFileInfo;
    if ((!FOptions.Start && !FOptions.End) || rows.RowCount() == 0)
        return;
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (FOptions.Start)
            rows.SetCell(r, TSourceList::colStartTime, *FOptions.Start);
        if (FOptions.End)
            rows.SetCell(r, TSourceList::colEndTime, *FOptions.End);
        rows.SelectRow(r);
    }
    // The same corrections as an edit in the list: the end within the file, the start before it.
    CustomProc->dxTreeSourceFileInfoEdited();
}

void TBatchRun::BuildLines()
{
    const TSourceList& rows = FModels.dxTreeSourceFileInfo;
    int row = 0;
    for (TBatchFile& file : FFiles) {
        if (file.State == TBatchFile::Refused)
            continue;
        // Rows were appended in the order of the accepted files.
        const QString source = rows.Cell(row++, TSourceList::colFileName);
        file.Line = CommonLib->CreateConvertParameter(source);
        file.Output = CommonLib->OutputPath();
        file.Codec = CommonLib->ConvertParameter.FiletypeCodec;
        file.Extension = CommonLib->ConvertParameter.OutputExt;
        file.Length = CustomProc->CutSeconds.toDouble();
        file.Argv = SplitCommandLine(file.Line);
        // Each output name is taken now so that the next line cannot choose it too, as it could
        // not in the program, which builds a line only after the previous file was written.
        QFile reserve(file.Output);
        file.Reserved = reserve.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        if (FOptions.DryRun)
            continue;
        // Several encoders run at once: each RealMedia job reads its own copy of the script.
        if (file.Argv.size() > 3 && file.Argv.at(3) == CommonLib->AppPath() + QStringLiteral("VideoFile.avs")) {
            if (FScriptFolder.isEmpty()) {
                QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quorvid-batch-XXXXXX"));
                dir.setAutoRemove(false);
                FScriptFolder = dir.path() + QLatin1Char('/');
            }
            const QString script = FScriptFolder + QStringLiteral("job%1.avs").arg(row);
            QFile::copy(file.Argv.at(3), script);
            file.Argv[3] = script;
        }
    }
    if (FOptions.DryRun)
        for (const TBatchFile& f : FFiles)
            if (f.Reserved)
                QFile::remove(f.Output);
}

void TBatchRun::Convert(int stopFd)
{
    struct TRunning
    {
        TBatchFile* File;
        std::unique_ptr<TEncoderChild> Child;
        QElapsedTimer Clock;
    };
    std::vector<TRunning> running;
    auto next = FFiles.begin();
    bool stopping = false;
    QElapsedTimer sinceShown;
    sinceShown.start();
    for (;;) {
        while (!stopping && static_cast<int>(running.size()) < FOptions.Jobs) {
            next = std::find_if(next, FFiles.end(), [](const TBatchFile& f) { return f.State == TBatchFile::Pending; });
            if (next == FFiles.end())
                break;
            TRunning job{&*next, nullptr, {}};
            job.Clock.start();
            Start(*next, job.Child);
            if (job.Child)
                running.push_back(std::move(job));
            ++next;
        }
        if (running.empty())
            break;

        std::vector<pollfd> fds;
        fds.push_back({stopFd, POLLIN, 0});
        for (const TRunning& job : running)
            fds.push_back({job.Child->OutputFd(), POLLIN, 0});
        ::poll(fds.data(), fds.size(), 200);
        if (!stopping && (fds[0].revents & POLLIN)) {
            stopping = true;
            for (TRunning& job : running)
                job.Child->Kill();
        }
        for (auto it = running.begin(); it != running.end();) {
            it->Child->ReadAvailable();
            const double done = ProgressSeconds(it->Child->LastProgressLine(), it->File->Codec, it->File->Extension);
            if (done >= 0)
                it->File->Done = done;
            if (it->Child->Poll()) {
                it->Child->ReadAvailable();
                it->File->Seconds = static_cast<double>(it->Clock.elapsed()) / 1000;
                Finish(*it->File, *it->Child, stopping);
                it = running.erase(it);
                ShowProgress(true);
            } else {
                ++it;
            }
        }
        if (sinceShown.elapsed() >= (FTerminal ? 250 : 1000)) {
            ShowProgress(false);
            sinceShown.restart();
        }
    }
    if (stopping)
        for (TBatchFile& f : FFiles)
            if (f.State == TBatchFile::Pending) {
                f.State = TBatchFile::Stopped;
                f.Reason = QStringLiteral("not started: stopped by the user");
                QFile::remove(f.Output); // only the reservation, nothing was written into it
            }
    if (!FScriptFolder.isEmpty())
        QDir(FScriptFolder).removeRecursively();
}

void TBatchRun::Start(TBatchFile& file, std::unique_ptr<TEncoderChild>& child)
{
    try {
        child = std::make_unique<TEncoderChild>(file.Argv, CommonLib->AppPath());
        file.State = TBatchFile::Running;
    } catch (const std::exception& e) {
        file.State = TBatchFile::Failed;
        file.Reason = QString::fromUtf8(e.what());
        QFile::remove(file.Output);
    }
}

void TBatchRun::Finish(TBatchFile& file, TEncoderChild& child, bool stopped)
{
    const int status = child.Status();
    const QFileInfo output(file.Output);
    if (stopped && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
        file.State = TBatchFile::Stopped;
        file.Reason = output.exists() && output.size() > 0 ? QStringLiteral("stopped by the user; partial file left")
                                                           : QStringLiteral("stopped by the user");
        if (output.exists() && output.size() == 0)
            QFile::remove(file.Output);
        return;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && output.exists() && output.size() > 0) {
        file.State = TBatchFile::Converted;
        file.Done = file.Length;
        return;
    }
    file.State = TBatchFile::Failed;
    QString reason = child.LastMessageLine().trimmed();
    if (reason.isEmpty())
        reason = WIFSIGNALED(status) ? QStringLiteral("the encoder was killed (signal %1)").arg(WTERMSIG(status))
                                     : QStringLiteral("the encoder failed (status %1)").arg(WEXITSTATUS(status));
    file.Reason = reason;
    if (output.exists() && output.size() == 0)
        QFile::remove(file.Output);
}

void TBatchRun::ShowProgress(bool force)
{
    QStringList lines;
    for (const TBatchFile& f : FFiles) {
        if (f.State != TBatchFile::Running)
            continue;
        const int percent = f.Length > 0 ? std::clamp(static_cast<int>(f.Done * 100 / f.Length), 0, 100) : 0;
        lines << QStringLiteral("%1  %2%  %3 s done").arg(f.Source).arg(percent, 3).arg(f.Done, 0, 'f', 1);
    }
    if (FTerminal) {
        // Redraw the block of running files in place.
        for (int i = 0; i < FShownLines; ++i)
            std::fputs("\x1b[1A\x1b[2K", FOut);
        for (const QString& line : lines)
            std::fprintf(FOut, "%s\n", line.toUtf8().constData());
        FShownLines = static_cast<int>(lines.size());
    } else if (!force) {
        for (const QString& line : lines)
            std::fprintf(FOut, "%s\n", line.toUtf8().constData());
    }
    std::fflush(FOut);
}

void TBatchRun::PrintSummary()
{
    if (FTerminal)
        for (int i = 0; i < FShownLines; ++i)
            std::fputs("\x1b[1A\x1b[2K", FOut);
    FShownLines = 0;
    int converted = 0, failed = 0;
    std::fprintf(FOut, "Summary:\n");
    for (const TBatchFile& f : FFiles) {
        const QByteArray source = f.Source.toUtf8();
        if (f.State == TBatchFile::Converted) {
            ++converted;
            std::fprintf(FOut, "  converted  %s -> %s  (%s)\n", source.constData(), f.Output.toUtf8().constData(),
                         Seconds(f.Seconds).toUtf8().constData());
        } else {
            ++failed;
            const QString output = QFileInfo::exists(f.Output) ? QStringLiteral(" -> ") + f.Output : QString();
            std::fprintf(FOut, "  failed     %s%s: %s  (%s)\n", source.constData(), output.toUtf8().constData(),
                         f.Reason.toUtf8().constData(), Seconds(f.Seconds).toUtf8().constData());
        }
    }
    std::fprintf(FOut, "%d converted, %d failed\n", converted, failed);
    std::fflush(FOut);
}
