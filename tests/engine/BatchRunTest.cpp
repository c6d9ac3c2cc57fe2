#include "AppObjects.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "EngineTestSupport.h"
#include "Errors.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A stand-in encoder: a progress line, then the output file; inputs named "bad" fail.
const QByteArray cstFakeEncoder = "for a; do out=\"$a\"; done\n"
                                  "case \"$3\" in *bad*) echo 'Invalid data found when processing input' >&2; "
                                  "exit 1;; esac\n"
                                  "printf 'frame=    1 time=1.00 size=  1kB time=1.00 bitrate= 1.0kbits/s\\r'\n"
                                  "echo data > \"$out\"\n";

void Fill(TChoiceList& list, const QStringList& optionList)
{
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.Select(0);
}

} // namespace

// The batch run on the virtual clock: its pauses cost no time, and the stand-in encoder is a
// shell script, so the wait by name finds nothing unless a test starts a named process.
class BatchRunTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        P = Program->Path();
        O = Program->MakeFolder("out");
        Media = Program->MakeFolder("media");
        WriteScript(P + "favc", cstFakeEncoder);
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        Progress = std::make_unique<TConvertingProgress>();
        CustomProc->frmConverting = Progress.get();
        Fill(Models->cbbOutputFiletype, GetOutputTypeList());
        Models->edtOutputFolder.SetText(O);
    }

    void TearDown() override
    {
        Progress.reset();
        Objects.reset();
    }

    void AddRow(const QString& name, bool checked = true, const QString& start = "00:00:00")
    {
        WriteFileBytes(Media + name, "x");
        Models->dxTreeSourceFileInfo.AppendRow(
            {checked ? "True" : "False", Media + name, "1 KB", "00:00:03", start, "00:00:03", "00:00:03"});
    }

    int LogLines(const QString& text) const { return LogLinesEndingWith(P + "log.txt", text); }
    int LogLinesStartingWith(const QString& text) const
    {
        int n = 0;
        for (const QString& line : QString::fromUtf8(ReadFileBytes(P + "log.txt")).split("\r\n"))
            n += line.contains("|" + text) ? 1 : 0;
        return n;
    }
    std::vector<TFakeDialogs::TCall> Messages() const
    {
        std::vector<TFakeDialogs::TCall> m;
        for (const auto& c : FakeDialogs().Calls)
            if (c.Kind == "message")
                m.push_back(c);
        return m;
    }
    // Runs the action at the n-th pause of the given length.
    void AtPause(int ms, int nth, std::function<void()> action)
    {
        auto seen = std::make_shared<int>(0);
        FakePlatform().OnSleep = [=](int slept) {
            if (slept == ms && ++*seen == nth)
                action();
        };
    }

    std::unique_ptr<TTempProgramFolder> Program;
    QString P, O, Media;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    std::unique_ptr<TConvertingProgress> Progress;
};

TEST_F(BatchRunTest, ConvertsTheCheckedRowsAndOpensTheOutputFolder)
{
    AddRow("a.mp4");
    AddRow("b.mp4", false);
    AddRow("c.mp4");
    bool disabledDuringRun = false, shownDuringRun = false;
    AtPause(3000, 1, [&] {
        disabledDuringRun = !Models->MainFormEnabled.Checked();
        shownDuringRun = Progress->Visible();
    });
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());

    EXPECT_EQ(CustomProc->CheckedCount, 2);
    EXPECT_EQ(CustomProc->DoneCount, 2);
    EXPECT_EQ(LogLinesStartingWith("parameter: "), 2);
    EXPECT_EQ(FakePlatform().Sleeps, std::vector<int>({2000, 3000, 2000, 3000}));
    EXPECT_TRUE(QFileInfo::exists(O + "a.mp4"));
    EXPECT_FALSE(QFileInfo::exists(O + "b.mp4"));
    EXPECT_TRUE(QFileInfo::exists(O + "c.mp4"));
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
    EXPECT_EQ(FakePlatform().PowerOffCount, 0);
    EXPECT_TRUE(disabledDuringRun);
    EXPECT_TRUE(shownDuringRun);
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
    EXPECT_FALSE(Progress->Visible());
    EXPECT_FALSE(CustomProc->IsConverting());
    // Everything converted: nothing new to show.
    EXPECT_TRUE(FakeDialogs().Calls.empty());
}

TEST_F(BatchRunTest, AnEmptyListOnlyWarns)
{
    Models->MainFormEnabled.SetChecked(false);
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, "Please add media files you want to convert into the list.");
    EXPECT_EQ(m[0].Type, 1);
    EXPECT_TRUE(FakePlatform().Sleeps.empty());
    EXPECT_TRUE(FakePlatform().OpenedUrls.isEmpty());
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
}

TEST_F(BatchRunTest, NothingCheckedStillOpensAFolderTheHomeFolderWhenNothingWasEverBuilt)
{
    AddRow("a.mp4", false);
    AddRow("b.mp4", false);
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->CheckedCount, 0);
    EXPECT_EQ(CustomProc->DoneCount, 0);
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({Program->Home()}));
    Models->chkShowOutputDirectory.SetChecked(false);
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(FakePlatform().OpenedUrls.size(), 1);
}

TEST_F(BatchRunTest, ShutdownPowersOffAndEndsTheProgramWithFailuresOnlyInTheLog)
{
    AddRow("a.mp4");
    AddRow("bad.mp4");
    Models->chkShutdown.SetChecked(true);
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
    EXPECT_EQ(FakePlatform().PowerOffCount, 1);
    EXPECT_EQ(FakePlatform().ExitCodes, std::vector<int>({0}));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LogLines("Convert failed: " + Media +
                       "bad.mp4 - the encoder ended with exit status 1: "
                       "Invalid data found when processing input"),
              1);
}

TEST_F(BatchRunTest, FailedFilesAreNamedInOneWarningAfterTheFolderOpens)
{
    AddRow("bad one.mp4");
    AddRow("a.mp4");
    AddRow("bad two.mp4");
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 3);
    EXPECT_TRUE(QFileInfo::exists(O + "a.mp4"));
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, 1);
    const QString reason = " (the encoder ended with exit status 1: Invalid data found when processing input)";
    EXPECT_EQ(m[0].Text, "These files were not converted:\n" + Media + "bad one.mp4" + reason + "\n" + Media +
                             "bad two.mp4" + reason);
}

TEST_F(BatchRunTest, AMissingEncoderIsAFailureThatCouldNotStart)
{
    AddRow("a.mp4");
    QFile::remove(P + "favc");
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 1);
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, "These files were not converted:\n" + Media + "a.mp4 (the encoder could not be started)");
}

TEST_F(BatchRunTest, StopEndsTheLoopSuppressesTheAfterJobActionsOnceAndRefusesANewRun)
{
    AddRow("a.mp4");
    AddRow("bad.mp4");
    AddRow("c.mp4");
    Models->chkShutdown.SetChecked(true);
    bool refusedWhileRunning = false, refusedAfterStop = false;
    AtPause(3000, 1, [&] {
        refusedWhileRunning = !CustomProc->ConvertCheckedFiles();
        FakeDialogs().YesNoAnswers = {idYes};
        Progress->btnStop1Click();
        // The main window is enabled again, but the run is still winding down.
        refusedAfterStop = !CustomProc->ConvertCheckedFiles();
    });
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_TRUE(refusedWhileRunning);
    EXPECT_TRUE(refusedAfterStop);
    EXPECT_EQ(CustomProc->DoneCount, 1);
    EXPECT_EQ(LogLinesStartingWith("parameter: "), 1);
    EXPECT_TRUE(FakePlatform().OpenedUrls.isEmpty());
    EXPECT_EQ(FakePlatform().PowerOffCount, 0);
    EXPECT_FALSE(CustomProc->Stopped);

    // The next run ends normally and does its after-job actions again.
    FakePlatform().OnSleep = nullptr;
    Models->chkShutdown.SetChecked(false);
    Models->dxTreeSourceFileInfo.SetCell(1, TSourceList::colCheck, "False");
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 2);
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
}

TEST_F(BatchRunTest, ClosingWithYesEndsTheLoopButKeepsTheAfterJobActions)
{
    AddRow("a.mp4");
    AddRow("c.mp4");
    Models->chkShutdown.SetChecked(true);
    AtPause(3000, 1, [&] {
        FakeDialogs().YesNoAnswers = {idYes};
        Progress->FormClose();
    });
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 1);
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
    EXPECT_EQ(FakePlatform().PowerOffCount, 1);
}

TEST_F(BatchRunTest, ClosingWithNoShowsTheWindowAgainAtTheNextFile)
{
    AddRow("a.mp4");
    AddRow("c.mp4");
    bool hiddenAfterNo = false, shownAtNextFile = false;
    AtPause(3000, 1, [&] {
        FakeDialogs().YesNoAnswers = {idNo};
        Progress->FormClose();
        hiddenAfterNo = !Progress->Visible() && !Models->MainFormEnabled.Checked();
        FakePlatform().OnSleep = [&](int ms) {
            if (ms == 2000)
                shownAtNextFile = Progress->Visible();
        };
    });
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_TRUE(hiddenAfterNo);
    EXPECT_TRUE(shownAtNextFile);
    EXPECT_EQ(CustomProc->DoneCount, 2);
}

TEST_F(BatchRunTest, ABuildErrorEndsTheRunButLeavesTheProgramAbleToConvert)
{
    AddRow("a.mp4");
    AddRow("b.mp4", true, "xx:00:00");
    EXPECT_THROW(CustomProc->ConvertCheckedFiles(), EConvertError);
    EXPECT_EQ(CustomProc->DoneCount, 1);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
    EXPECT_FALSE(CustomProc->IsConverting());

    Models->dxTreeSourceFileInfo.SetCell(1, TSourceList::colCheck, "False");
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 1);
}

TEST_F(BatchRunTest, TheWaitLastsWhileAForeignEncoderRuns)
{
    const QString bin = Program->MakeFolder("bin");
    ASSERT_TRUE(QFile::copy("/bin/sleep", bin + "ravc"));
    FakePlatform().SetProcessScope(bin);
    QProcess foreign;
    foreign.start(bin + "ravc", {"30"});
    ASSERT_TRUE(foreign.waitForStarted(5000));
    AddRow("a.mp4");
    AtPause(100, 5, [&] { foreign.kill(); });
    EXPECT_TRUE(CustomProc->ConvertCheckedFiles());
    foreign.waitForFinished(5000);
    const auto& s = FakePlatform().Sleeps;
    EXPECT_GE(std::count(s.begin(), s.end(), 100), 5);
    EXPECT_EQ(CustomProc->DoneCount, 1);
}
