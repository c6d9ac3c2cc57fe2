#include "AppObjects.h"
#include "ControlModels.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>

namespace {

struct TBatchResult
{
    int ExitCode = -1;
    QString Out;
    QString Err;
};

const char* const cstTypes[] = {"mp4", "3gp", "3gp-amr", "3g2", "3g2-amr"};
const char* const cstQualities[] = {"low", "acceptable", "normal", "excellent", "superb"};

} // namespace

class BatchCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        Program->CopyProgramFiles({"quorvid-batch", "favc", "ravc"});
        Out = Program->MakeFolder("Converted Files");
    }

    TBatchResult Run(const QStringList& args, int timeoutMs = 120000) const
    {
        QProcess process;
        process.setWorkingDirectory(Program->Home());
        process.start(Program->Path() + "quorvid-batch", args);
        TBatchResult result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.Out = QString::fromUtf8(process.readAllStandardOutput());
        result.Err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // The lines the program itself builds for the same files and choices.
    QStringList ProgramLines(int type, int quality, const QStringList& files, const QString& start = {},
                             const QString& end = {}) const
    {
        TControlModels models;
        TAppObjects objects(models);
        CustomProc->FillAllLists();
        models.cbbOutputFiletype.Select(type);
        models.cbbProfile.Select(quality);
        CustomProc->ApplyProfile();
        models.edtOutputFolder.SetText(Out.chopped(1));
        CustomProc->AddSourceFiles(files);
        TSourceList& rows = models.dxTreeSourceFileInfo;
        if (!start.isEmpty() || !end.isEmpty()) {
            for (int r = 0; r < rows.RowCount(); ++r) {
                if (!start.isEmpty())
                    rows.SetCell(r, TSourceList::colStartTime, start);
                if (!end.isEmpty())
                    rows.SetCell(r, TSourceList::colEndTime, end);
                rows.SelectRow(r);
            }
            CustomProc->dxTreeSourceFileInfoEdited();
        }
        // The program builds each line after the previous file was written, so a later file
        // with the same base name gets the next free name.
        QStringList lines, written;
        for (int r = 0; r < rows.RowCount(); ++r) {
            lines << CommonLib->CreateConvertParameter(rows.Cell(r, TSourceList::colFileName));
            written << CommonLib->OutputPath();
            WriteFileBytes(written.last(), "converted");
        }
        for (const QString& path : written)
            QFile::remove(path);
        return lines;
    }

    std::unique_ptr<TTempProgramFolder> Program;
    QString Out;
};

TEST_F(BatchCliTest, DryRunPrintsTheProgramsOwnLines)
{
    const QStringList files{TestMediaFolder() + "clip.mp4", TestMediaFolder() + "clip.rmvb",
                            TestMediaFolder() + "frame-numbered.mp4"};
    for (int type = 0; type < 5; ++type) {
        for (int quality = 0; quality < 5; ++quality) {
            const TBatchResult r = Run(QStringList{"--dry-run", "--type", cstTypes[type], "--quality",
                                                   cstQualities[quality], "--output", Out.chopped(1)} +
                                       files);
            ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
            EXPECT_EQ(r.Out.split('\n', Qt::SkipEmptyParts), ProgramLines(type, quality, files))
                << cstTypes[type] << " " << cstQualities[quality];
        }
    }
    const TBatchResult trimmed =
        Run(QStringList{"--dry-run", "--start", "00:00:01", "--end", "00:00:09", "--output", Out.chopped(1)} + files);
    ASSERT_EQ(trimmed.ExitCode, 0) << trimmed.Err.toStdString();
    const QStringList expected = ProgramLines(0, 2, files, "00:00:01", "00:00:09");
    EXPECT_EQ(trimmed.Out.split('\n', Qt::SkipEmptyParts), expected);
    // The end is pulled back to each file's duration, as an edit in the list would.
    EXPECT_TRUE(expected.at(0).contains(" -ss 00:00:01 -t 2 "));
    EXPECT_TRUE(expected.at(1).startsWith(Program->Path() + "ravc -y -i \"" + Program->Path() + "VideoFile.avs\""));
    EXPECT_TRUE(QDir(Out).isEmpty()) << "a dry run converts nothing";
}

TEST_F(BatchCliTest, AStoredProfileAppliesAndSingleOptionsOverrideIt)
{
    WriteFileBytes(Program->ConfigPath() + "UserProfileInfo.ini", "\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n");
    const QString clip = TestMediaFolder() + "clip.mp4";
    const TBatchResult r = Run({"--dry-run", "--profile", "Phone", "--frame-rate", "11", clip});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(" -b 256 -s 320x240 -r 11 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100 "))
        << r.Out.toStdString();
    const TBatchResult missing = Run({"--dry-run", "--profile", "Tablet", clip});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Err.startsWith("quorvid-batch: --profile: no stored profile named 'Tablet'"));
}

TEST_F(BatchCliTest, AMixedBatchConvertsTheGoodFilesAndReportsTheRest)
{
    QStringList files;
    for (const char* ext : {"mp4", "m4v", "3gp", "avi", "asf", "wmv", "mov", "flv", "swf", "mpg", "mpeg", "rm", "rmvb"})
        files << TestMediaFolder() + "clip." + ext;
    files << TestMediaFolder() + "truncated.mp4";
    const QString notes = Program->Home() + "notes.txt";
    WriteFileBytes(notes, "not a video");
    files << notes;
    const TBatchResult r = Run(QStringList{"--type", "3gp", "--jobs", "2", "--output", Out} + files);
    EXPECT_EQ(r.ExitCode, 1) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("13 converted, 2 failed")) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains("failed     " + TestMediaFolder() + "truncated.mp4: Files reading error!"));
    EXPECT_TRUE(r.Out.contains("failed     " + notes + ": not a supported file type"));
    const QStringList outputs = QDir(Out).entryList({"*.3gp"}, QDir::Files);
    EXPECT_EQ(outputs.size(), 13);
    for (const QString& name : outputs) {
        EXPECT_GT(QFileInfo(Out + name).size(), 1000) << name.toStdString();
        EXPECT_TRUE(r.Out.contains("-> " + Out + name + "  (")) << name.toStdString();
    }
}

TEST_F(BatchCliTest, CtrlCStopsEveryEncoderAndNamesThePartialFiles)
{
    const QString source = Program->Home() + "long.mp4";
    ASSERT_EQ(QProcess::execute("ffmpeg", {"-hide_banner",
                                           "-loglevel",
                                           "error",
                                           "-nostdin",
                                           "-y",
                                           "-f",
                                           "lavfi",
                                           "-i",
                                           "testsrc2=duration=40:size=640x480:rate=25",
                                           "-f",
                                           "lavfi",
                                           "-i",
                                           "sine=duration=40",
                                           "-c:v",
                                           "mpeg4",
                                           "-q:v",
                                           "6",
                                           "-c:a",
                                           "aac",
                                           "-shortest",
                                           source}),
              0);
    QStringList files;
    for (int i = 1; i <= 3; ++i) {
        const QString copy = Program->Home() + QStringLiteral("long%1.mp4").arg(i);
        ASSERT_TRUE(QFile::copy(source, copy));
        files << copy;
    }
    QProcess process;
    process.start(Program->Path() + "quorvid-batch",
                  QStringList{"--jobs", "2", "--size", "704x576", "--video-bitrate", "1024", "--output", Out} + files);
    ASSERT_TRUE(process.waitForStarted());
    // Let the encoders get going before the user presses Ctrl+C.
    QThread::msleep(1500);
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 1);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(out.contains("stopped by the user; partial file left")) << out.toStdString();
    EXPECT_TRUE(out.contains(files.at(2) + ": not started: stopped by the user")) << out.toStdString();
    // Nothing of ours may still be running within two seconds.
    FakePlatform().SetProcessScope(Program->Path());
    bool gone = false;
    for (int i = 0; i < 20 && !gone; ++i) {
        gone = FakePlatform().Processes().empty();
        if (!gone)
            QThread::msleep(100);
    }
    EXPECT_TRUE(gone);
}
