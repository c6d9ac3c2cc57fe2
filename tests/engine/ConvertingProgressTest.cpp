#include "ConvertingProgress.h"
#include "AppObjects.h"
#include "ControlModels.h"
#include "EngineTestSupport.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Progress lines as the encoder writes them: the seconds stand in fields 2 and 4.
QString Line(const QString& field2, const QString& field4)
{
    return "frame=   75 time=" + field2 + " size=      48kB time=" + field4 + " bitrate= 131.1kbits/s\r";
}

const QString cstVideo = " -vcodec mpeg4 -acodec aac";
const QString cstAmr = " -acodec amr_nb";

} // namespace

class ProgressTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        Progress = std::make_unique<TConvertingProgress>();
        CommonLib->ConvertParameter.InputFile = "/media/clip.mp4";
        CommonLib->ConvertParameter.EncoderPath = Program->Path() + "favc";
        for (int i = 0; i < 3; ++i)
            Models->dxTreeSourceFileInfo.AppendRow({"True", "/media/clip.mp4", "", "", "", "", ""});
    }

    void TearDown() override
    {
        Progress.reset();
        Objects.reset();
    }

    std::unique_ptr<TTempProgramFolder> Program;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    std::unique_ptr<TConvertingProgress> Progress;
};

struct TChunkCase
{
    const char* Name;
    QString Codec;
    QString Ext;
    QString CutSeconds;
    int DoneCount;
    std::vector<QString> Chunks;
    int FileMax, FilePos;
    int TotalMax, TotalPos;
    QString Counter;
};

TEST_F(ProgressTest, ChunksMoveTheBarsAndTheCounter)
{
    const TChunkCase cases[] = {
        {"first chunk only lands in the status strip",
         cstVideo,
         ".mp4",
         "8",
         0,
         {Line("5.00", "5.00")},
         1,
         0,
         1,
         0,
         "Current: 1, Total: 3"},
        {"second chunk reads field 4",
         cstVideo,
         ".mp4",
         "8",
         1,
         {Line("1.00", "1.00"), Line("2.00", "5.00")},
         8,
         5,
         300,
         100,
         "Current: 2 , Total: 3."},
        {"overall bar uses the file bar before the chunk",
         cstVideo,
         ".mp4",
         "8",
         0,
         {Line("1.00", "1.00"), Line("4.00", "4.00"), Line("6.00", "6.00")},
         8,
         6,
         300,
         44,
         "Current: 1 , Total: 3."},
        {"a finished file gives just under 100",
         cstVideo,
         ".mp4",
         "8",
         2,
         {Line("", ""), Line("8.00", "8.00"), Line("8.00", "8.00")},
         8,
         8,
         300,
         288,
         "Current: 3 , Total: 3."},
        {"fewer than five fields",
         cstVideo,
         ".mp4",
         "8",
         0,
         {"a", "frame=1 time=2 size=3 time"},
         8,
         0,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"seconds not yet known",
         cstVideo,
         ".mp4",
         "8",
         0,
         {"a", Line("10000000000.00", "10000000000.00")},
         8,
         0,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"amr in .3gp reads field 4",
         cstAmr,
         ".3gp",
         "8",
         0,
         {"a", Line("2.00", "6.00")},
         8,
         6,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"amr in .3g2 reads field 2",
         cstAmr,
         ".3g2",
         "8",
         0,
         {"a", Line("2.00", "6.00")},
         8,
         2,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"amr in .3g2 needs four fields",
         cstAmr,
         ".3g2",
         "8",
         0,
         {"a", "x=1=2.00"},
         8,
         0,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"the bar keeps within its range",
         cstVideo,
         ".mp4",
         "4",
         0,
         {"a", Line("9.00", "9.00")},
         4,
         4,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"a negative length leaves the bar at 0 of 1",
         cstVideo,
         ".mp4",
         "-5",
         0,
         {"a", Line("3.00", "3.00")},
         1,
         0,
         300,
         0,
         "Current: 1 , Total: 3."},
        {"text without digits reads as 0",
         cstVideo,
         ".mp4",
         "8",
         0,
         {"a", Line("3.00", "3.00"), "w=x=y=z=abc.def"},
         8,
         0,
         300,
         33,
         "Current: 1 , Total: 3."},
    };
    for (const auto& c : cases) {
        CustomProc->CheckedCount = 3;
        CustomProc->DoneCount = c.DoneCount;
        CustomProc->ChunkCount = 0;
        CustomProc->CutSeconds = c.CutSeconds;
        CommonLib->ConvertParameter.FiletypeCodec = c.Codec;
        CommonLib->ConvertParameter.OutputExt = c.Ext;
        Progress->Hide();
        Progress->Show();
        for (const QString& chunk : c.Chunks)
            Progress->OnEncoderOutput(chunk);
        EXPECT_EQ(Progress->statState, c.Chunks.back()) << c.Name;
        EXPECT_EQ(Progress->lblCurFileName, "/media/clip.mp4") << c.Name;
        EXPECT_EQ(Progress->ProgressBar1.Max, c.FileMax) << c.Name;
        EXPECT_EQ(Progress->ProgressBar1.Position, c.FilePos) << c.Name;
        EXPECT_EQ(Progress->pbTotal.Max, c.TotalMax) << c.Name;
        EXPECT_EQ(Progress->pbTotal.Position, c.TotalPos) << c.Name;
        EXPECT_EQ(Progress->lblPersent, c.Counter) << c.Name;
        EXPECT_EQ(CustomProc->ChunkCount, int(c.Chunks.size())) << c.Name;
    }
}

TEST_F(ProgressTest, FormShowRunsOnlyWhenTheWindowWasHidden)
{
    EXPECT_EQ(Progress->lblInfo, "Please wait . . .");
    EXPECT_EQ(Progress->lblPersent, "Current: 1, Total: ...");
    CustomProc->CheckedCount = 5;
    Progress->Show();
    EXPECT_TRUE(Progress->Visible());
    EXPECT_EQ(Progress->lblPersent, "Current: 1, Total: 5");
    EXPECT_EQ(Progress->lblCurFileName, "/media/clip.mp4");
    Progress->lblPersent = "kept";
    Progress->Show();
    EXPECT_EQ(Progress->lblPersent, "kept");
    Progress->Hide();
    Progress->Show();
    EXPECT_EQ(Progress->lblPersent, "Current: 1, Total: 5");
}

TEST_F(ProgressTest, TheSpinnerTurnsAndTheTextFollowsTheFileBar)
{
    Progress->Show();
    const char* const expected[] = {"|", "/", "-", "\\", "|", "|", "/"};
    for (const char* mark : expected) {
        Progress->tmrChangingTimer();
        EXPECT_EQ(Progress->lblInfo, QString("Installing convert information  ") + mark);
    }
    Progress->ProgressBar1.SetMax(10);
    Progress->ProgressBar1.SetPosition(3);
    Progress->tmrChangingTimer();
    EXPECT_EQ(Progress->lblInfo, "Converting  -");
    // Showing again starts the phases afresh.
    Progress->Hide();
    Progress->Show();
    Progress->tmrChangingTimer();
    EXPECT_EQ(Progress->Phase(), 1);
}

TEST_F(ProgressTest, StopAsksAndOnYesEndsTheRun)
{
    const QString log = Program->Path() + "log.txt";
    Models->MainFormEnabled.SetChecked(false);
    CustomProc->RowIndex = 1;
    Progress->Show();
    Progress->ProgressBar1.SetMax(10);
    Progress->ProgressBar1.SetPosition(5);

    FakeDialogs().YesNoAnswers = {idNo};
    Progress->btnStop1Click();
    ASSERT_EQ(FakeDialogs().Calls.size(), 1u);
    EXPECT_EQ(FakeDialogs().Calls[0].Kind, "yesno");
    EXPECT_EQ(FakeDialogs().Calls[0].Text, "Are you sure you want to stop the work ? ");
    EXPECT_TRUE(Progress->Visible());
    EXPECT_FALSE(CustomProc->Stopped);
    EXPECT_EQ(CustomProc->RowIndex, 1);

    FakeDialogs().YesNoAnswers = {idYes};
    Progress->btnStop1Click();
    EXPECT_TRUE(CustomProc->Stopped);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
    EXPECT_EQ(CustomProc->RowIndex, 13);
    EXPECT_EQ(Progress->ProgressBar1.Position, 0);
    EXPECT_EQ(Progress->pbTotal.Max, 0);
    EXPECT_EQ(Progress->pbTotal.Position, 0);
    EXPECT_EQ(Progress->lblPersent, "Current: 1, Total: ...");
    // The encoder's name and favc, each followed by fevc: four lookups that found nothing.
    EXPECT_EQ(LogLinesEndingWith(log, "Get Process id error."), 4);
}

TEST_F(ProgressTest, CloseHidesWhateverTheAnswerAndOnYesEndsTheRunWithoutStopping)
{
    Models->MainFormEnabled.SetChecked(false);
    CustomProc->RowIndex = 0;
    Progress->Show();
    FakeDialogs().YesNoAnswers = {idNo, idYes};
    Progress->FormClose();
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "Are you sure to stop processing ?");
    EXPECT_FALSE(Progress->Visible());
    EXPECT_FALSE(Models->MainFormEnabled.Checked());
    EXPECT_EQ(CustomProc->RowIndex, 0);

    Progress->Show();
    Progress->FormClose();
    EXPECT_FALSE(Progress->Visible());
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
    EXPECT_EQ(CustomProc->RowIndex, 13);
    EXPECT_FALSE(CustomProc->Stopped);
}
