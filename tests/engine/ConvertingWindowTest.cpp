#include "AppObjects.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Converting.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

class ConvertingWindowTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        Model = std::make_unique<TConvertingProgress>();
        Window = std::make_unique<TfrmConverting>(*Model);
        CommonLib->ConvertParameter.InputFile = "/media/clip.mp4";
        CommonLib->ConvertParameter.FiletypeCodec = " -vcodec mpeg4 -acodec aac";
        CommonLib->ConvertParameter.OutputExt = ".mp4";
        CustomProc->CheckedCount = 2;
        CustomProc->CutSeconds = "8";
        Models->dxTreeSourceFileInfo.AppendRow({"True", "/media/clip.mp4", "", "", "", "", ""});
    }
    void TearDown() override
    {
        Window.reset();
        Model.reset();
        Objects.reset();
    }

    std::unique_ptr<TTempProgramFolder> Program;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    std::unique_ptr<TConvertingProgress> Model;
    std::unique_ptr<TfrmConverting> Window;
};

TEST_F(ConvertingWindowTest, HasItsTextsSizesAndPositions)
{
    EXPECT_EQ(Window->windowTitle(), "Converting");
    EXPECT_EQ(Window->size(), QSize(435, 222));
    EXPECT_EQ(Window->lblInfo->text(), "Please wait . . .");
    EXPECT_EQ(Window->lblCurConvertFileL->text(), "Current Convert File:");
    EXPECT_EQ(Window->lblTotalFilr->text(), "Total File:");
    EXPECT_EQ(Window->lblCurprog->text(), "Current File:");
    EXPECT_EQ(Window->lblPersent->text(), "Current: 1, Total: ...");
    EXPECT_EQ(Window->lblInfo->pos(), QPoint(16, 12));
    EXPECT_EQ(Window->lblCurFileName->geometry().topLeft(), QPoint(120, 44));
    EXPECT_EQ(Window->lblCurFileName->width(), 281);
    EXPECT_EQ(Window->pbTotal->geometry(), QRect(80, 71, 321, 17));
    EXPECT_EQ(Window->ProgressBar1->geometry(), QRect(80, 95, 321, 17));
    EXPECT_EQ(Window->lblPersent->pos(), QPoint(16, 129));
    EXPECT_EQ(Window->btnStop->geometry(), QRect(294, 126, 100, 25));
    EXPECT_TRUE(Window->lblInfo->font().bold());
    EXPECT_EQ(Window->lblCurprog->font().pixelSize(), 11);
}

TEST_F(ConvertingWindowTest, ShowsTheModelAndFollowsItsVisibility)
{
    Model->Show();
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->lblCurFileName->text(), "/media/clip.mp4");
    EXPECT_EQ(Window->lblPersent->text(), "Current: 1, Total: 2");
    Model->OnEncoderOutput("first");
    Model->OnEncoderOutput("frame=   75 time=3.00 size=  48kB time=3.00 bitrate= 131.1kbits/s\r");
    EXPECT_EQ(Window->ProgressBar1->maximum(), 8);
    EXPECT_EQ(Window->ProgressBar1->value(), 3);
    EXPECT_EQ(Window->pbTotal->maximum(), 200);
    EXPECT_EQ(Window->lblPersent->text(), "Current: 1 , Total: 2.");
    Model->tmrChangingTimer();
    EXPECT_EQ(Window->lblInfo->text(), "Converting  |");
    Model->Hide();
    EXPECT_FALSE(Window->isVisible());
    // Hiding by the model asks nothing.
    EXPECT_EQ(FakeDialogs().CountOf("yesno"), 0);
}

TEST_F(ConvertingWindowTest, StopAndCloseGoThroughTheirQuestions)
{
    Models->MainFormEnabled.SetChecked(false);
    Model->Show();
    FakeDialogs().YesNoAnswers = {idNo};
    Window->btnStop->click();
    EXPECT_TRUE(Window->isVisible());
    FakeDialogs().YesNoAnswers = {idYes};
    Window->btnStop->click();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_TRUE(CustomProc->Stopped);

    Models->MainFormEnabled.SetChecked(false);
    CustomProc->Stopped = false;
    Model->Show();
    FakeDialogs().YesNoAnswers = {idNo};
    Window->close();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(Model->Visible());
    EXPECT_FALSE(Models->MainFormEnabled.Checked());
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "Are you sure to stop processing ?");
}
