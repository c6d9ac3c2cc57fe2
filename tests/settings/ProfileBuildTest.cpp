#include "ErrorHandler.h"
#include "Errors.h"
#include "SettingsFixture.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

namespace {

const QString cstSource = "/home/u/Clips/party.wmv";

} // namespace

class ProfileBuild : public SettingsFixture
{
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        WriteProfiles("\r\n[A]\r\nA=4|0|3|5|1|3\r\n");
        StartUp();
        Models->cbbCustomProfile.AddItems(CommonLib->ReadProfileNames("UserProfileInfo.ini"));
        Models->edtOutputFolder.SetText(Program->MakeFolder("out"));
        Models->dxTreeSourceFileInfo.AppendRow(
            {"True", cstSource, "1 MB", "00:00:10", "00:00:00", "00:00:10", "00:00:10"});
    }

    QString Options() { return CommonLib->CreateConvertParameter(cstSource).section(" -t ", 0, 0); }
};

TEST_F(ProfileBuild, TheDialogsProfileIsReappliedAtEveryBuild)
{
    const QString profileA = " -b 256 -s 320x240 -r 11 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 48000";
    const QString low = " -b 40 -s 160x120 -r 11 -aspect 4:3 -ab 48 -vol 200 -ac 1 -ar 22050";

    // Without a pick in the dialog the preset is what gets built.
    Models->cbbProfile.Select(0);
    CustomProc->ApplyProfile();
    EXPECT_TRUE(Options().contains(low)) << Options().toStdString();

    // A, then Low Quality, then Convert: A's values.
    Models->cbbProfile.Select(5);
    CustomProc->ApplyProfile();
    Models->cbbProfile.Select(0);
    CustomProc->ApplyProfile();
    EXPECT_EQ(Models->cbbVideoSize.SelectedText(), "160x120");
    for (int build = 0; build < 2; ++build) {
        EXPECT_TRUE(Options().contains(profileA)) << Options().toStdString();
        Models->cbbVideoSize.Select(0);
    }

    // A profile edited on disk is read again at the next build.
    WriteProfiles("\r\n[A]\r\nA=0|1|0|0|0|0\r\n");
    EXPECT_TRUE(Options().contains(" -b 40 -s 128x96 -r 15 -aspect 4:3 -ab 16 -vol 200 -ac 1 -ar 22050"))
        << Options().toStdString();

    // Once the dialog's selection is cleared, presets hold again.
    Models->cbbCustomProfile.Select(-1);
    CustomProc->ApplyProfile();
    EXPECT_TRUE(Options().contains(low)) << Options().toStdString();
}

TEST_F(ProfileBuild, ABrokenProfileStopsTheBuildThroughTheErrorHandler)
{
    WriteProfiles("\r\n[A]\r\nA=4|0|?|5|1|3\r\n");
    Models->cbbCustomProfile.Select(0);
    EXPECT_THROW(CommonLib->CreateConvertParameter(cstSource), EConvertError);
    Guarded([] { CommonLib->CreateConvertParameter(cstSource); });
    ASSERT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "'?' is not a valid integer value");
}
