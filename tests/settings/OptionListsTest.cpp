#include "ErrorHandler.h"
#include "Errors.h"
#include "SettingsFixture.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QFile>

namespace {

const QStringList cstNormalStereo = {"160x120", "15", "128", "128", "2 channels, Stereo", "44100"};

} // namespace

using OptionLists = SettingsFixture;

TEST_F(OptionLists, StartUpFillsEveryListOnceWithItsDefaults)
{
    struct TCase
    {
        const char* Name;
        const TChoiceList& List;
        int Items;
        const char* Selected;
    };
    const TCase cases[] = {
        {"output type", Models->cbbOutputFiletype, 5, "MPEG4 Video Files (*.mp4)"},
        {"quality", Models->cbbProfile, 5, "Normal Quality"},
        {"video size", Models->cbbVideoSize, 10, "160x120"},
        {"video bitrate", Models->cbbVideoBitrate, 6, "128"},
        {"frame rate", Models->cbbFramerate, 2, "15"},
        {"aspect ratio", Models->cbbAspectratio, 2, "4:3"},
        // The preset moves the audio bitrate off its list default, 48.
        {"audio bitrate", Models->cbbAudioBitrate, 9, "128"},
        {"sample rate", Models->cbbAudioSample, 4, "44100"},
        {"volume", Models->cbbAudioVolumeGain, 21, "200"},
        {"channels", Models->cbbAudioChannels, 2, "2 channels, Stereo"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(c.List.Count(), c.Items) << c.Name;
        EXPECT_EQ(c.List.SelectedText(), QString::fromLatin1(c.Selected)) << c.Name;
    }
    EXPECT_EQ(Models->cbbCustomProfile.Count(), 0);
}

TEST_F(OptionLists, FillingAppendsAndLoadsTheUserSettingsLast)
{
    WriteFileBytes(Program->ConfigPath() + "UserSettings.ini", "[USRInfo]\r\nOutDir=/data/out/\r\nSHUTDOWN=1\r\n");
    StartUp();
    EXPECT_EQ(Models->edtOutputFolder.Text(), "/data/out/");
    EXPECT_TRUE(Models->chkShutdown.Checked());

    // A second fill lists every item twice and selects the default again.
    Models->cbbFramerate.Select(0);
    CustomProc->FillChoiceList(Models->cbbFramerate, GetFrameRateList);
    EXPECT_EQ(Models->cbbFramerate.Items(), QStringList({"11", "15", "11", "15"}));
    EXPECT_EQ(Models->cbbFramerate.SelectedIndex(), 1);
}

TEST_F(OptionLists, QualityListOffersTheCustomProfilesButSelectsNormal)
{
    WriteProfiles("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[car]\r\ncar=0|0|0|0|0|0\r\n");
    StartUp();
    EXPECT_EQ(Models->cbbProfile.Items().mid(5), QStringList({"Phone", "car"}));
    EXPECT_EQ(Models->cbbProfile.SelectedIndex(), 2);
    EXPECT_EQ(SixSelected(), cstNormalStereo);
}

// Every output type at every level, decoded; aspect ratio and volume stay as the user left them.
TEST_F(OptionLists, PresetsSelectTheirSixItemsAndLeaveAspectAndVolumeAlone)
{
    const QStringList video[5] = {
        {"160x120", "11", "40", "48", "1 channel, Mono", "22050"},
        {"160x120", "11", "80", "80", "2 channels, Stereo", "32000"},
        {"160x120", "15", "128", "128", "2 channels, Stereo", "44100"},
        {"160x120", "15", "256", "192", "2 channels, Stereo", "44100"},
        {"160x120", "15", "512", "224", "2 channels, Stereo", "48000"},
    };
    Models->cbbAspectratio.Select(1);
    Models->cbbAudioVolumeGain.Select(4);
    for (int row = 0; row < cstOutputTypeCount; ++row) {
        const bool amr = row == 2 || row == 4;
        for (int level = 0; level < 5; ++level) {
            Models->cbbOutputFiletype.Select(row);
            Models->cbbProfile.Select(level);
            CustomProc->ApplyProfile();
            QStringList expected = video[level];
            if (amr) {
                expected[4] = "1 channel, Mono";
                expected[5] = "22050";
            }
            EXPECT_EQ(SixSelected(), expected) << "row " << row << " level " << level;
            EXPECT_EQ(Models->cbbAspectratio.SelectedText(), "16:9");
            EXPECT_EQ(Models->cbbAudioVolumeGain.SelectedText(), "100");
        }
    }
}

TEST_F(OptionLists, ChangingTheOutputTypeKeepsTheLevel)
{
    struct TStep
    {
        int Row;
        const char* Channels;
        const char* Sample;
    };
    const TStep steps[] = {
        {2, "1 channel, Mono", "22050"},
        {1, "2 channels, Stereo", "44100"},
        {4, "1 channel, Mono", "22050"},
        {0, "2 channels, Stereo", "44100"},
    };
    for (const TStep& s : steps) {
        Models->cbbOutputFiletype.Select(s.Row);
        CustomProc->ApplyProfile();
        EXPECT_EQ(Models->cbbProfile.SelectedText(), "Normal Quality");
        EXPECT_EQ(Models->cbbAudioChannels.SelectedText(), QString::fromLatin1(s.Channels)) << s.Row;
        EXPECT_EQ(Models->cbbAudioSample.SelectedText(), QString::fromLatin1(s.Sample)) << s.Row;
        EXPECT_EQ(Models->cbbVideoBitrate.SelectedText(), "128") << s.Row;
    }
}

// What one stored custom profile does to the six lists, starting from the Normal preset.
TEST_F(OptionLists, StoredCustomProfilesApplyOnlyWhenWellFormed)
{
    struct TCase
    {
        const char* Value;
        QStringList Expected;
    };
    const QStringList phone = {"320x240", "15", "256", "128", "2 channels, Stereo", "44100"};
    const TCase cases[] = {
        {"4|1|3|5|1|2", phone},
        {"", cstNormalStereo},
        {"4|1|3|5|1", cstNormalStereo},
        {"4|1|3|5|1|2|0", cstNormalStereo},
        // A trailing "|" gives five parts.
        {"4|1|3|5|1|", cstNormalStereo},
        {"12|0|3|5|1|2", {"", "11", "256", "128", "2 channels, Stereo", "44100"}},
        {"-1|0|-1|0|0|0", {"", "11", "", "16", "1 channel, Mono", "22050"}},
        // Empty parts leave their lists alone.
        {"4||||0|", cstNormalStereo},
        {"4||||0|3", {"320x240", "15", "128", "128", "1 channel, Mono", "48000"}},
    };
    for (const TCase& c : cases) {
        StartUp();
        WriteProfiles(QByteArray("\r\n[P]\r\nP=") + c.Value + "\r\n");
        Models->cbbCustomProfile.AddItems(CommonLib->ReadProfileNames("UserProfileInfo.ini"));
        Models->cbbCustomProfile.Select(0);
        CustomProc->ApplySelectedCustomProfile();
        EXPECT_EQ(SixSelected(), c.Expected) << c.Value;
        EXPECT_EQ(Models->cbbAspectratio.SelectedText(), "4:3") << c.Value;
        EXPECT_EQ(Models->cbbAudioVolumeGain.SelectedText(), "200") << c.Value;
    }
}

TEST_F(OptionLists, NothingIsAppliedWithoutASelectedOrStoredProfile)
{
    WriteProfiles("\r\n[P]\r\nP=4|1|3|5|1|2\r\n");
    Models->cbbCustomProfile.AddItems({"P", "Gone"});
    Models->cbbCustomProfile.SetText("P");
    CustomProc->ApplySelectedCustomProfile(); // typed text selects no entry
    EXPECT_EQ(CustomProc->ReadSelectedCustomProfile(), "");
    Models->cbbCustomProfile.Select(1);
    CustomProc->ApplySelectedCustomProfile();
    EXPECT_EQ(SixSelected(), cstNormalStereo);
    QFile::remove(ProfileFile());
    Models->cbbCustomProfile.Select(0);
    CustomProc->ApplySelectedCustomProfile();
    EXPECT_EQ(SixSelected(), cstNormalStereo);
}

TEST_F(OptionLists, ACustomProfileInTheQualityListSelectsAndAppliesIt)
{
    WriteProfiles("\r\n[car]\r\ncar=0|0|0|0|0|0\r\n\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n");
    // Picked straight after start-up, before the Options dialog was ever shown.
    StartUp();
    EXPECT_EQ(Models->cbbCustomProfile.Items(), QStringList({"car", "Phone"}));
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    Models->cbbProfile.Select(6);
    CustomProc->ApplyProfile();
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), 1);
    EXPECT_EQ(Models->cbbCustomProfile.Text(), "Phone");
    EXPECT_EQ(SixSelected(), QStringList({"320x240", "15", "256", "128", "2 channels, Stereo", "44100"}));

    // Back to a built-in level: the preset, and the dialog's pick stays.
    Models->cbbProfile.Select(0);
    CustomProc->ApplyProfile();
    EXPECT_EQ(SixSelected(), QStringList({"160x120", "11", "40", "48", "1 channel, Mono", "22050"}));
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), 1);
}

// The quality list is refreshed only by OK; after a Delete in the dialog its numbers can point
// past or at another profile of the dialog's list.
TEST_F(OptionLists, AStaleQualityEntryAppliesItsOwnProfileOrNothing)
{
    WriteProfiles("\r\n[A]\r\nA=4|0|0|0|0|0\r\n\r\n[B]\r\nB=5|1|1|1|1|1\r\n\r\n[C]\r\nC=6|0|2|2|0|2\r\n");
    StartUp();
    WriteProfiles("\r\n[B]\r\nB=5|1|1|1|1|1\r\n\r\n[C]\r\nC=6|0|2|2|0|2\r\n");
    // The dialog, shown again, replaces its entries with what the file now holds.
    Models->cbbCustomProfile.Clear();
    Models->cbbCustomProfile.AddItems(CommonLib->ReadProfileNames("UserProfileInfo.ini"));
    Models->cbbProfile.Select(6); // "B", number 1 of the old list; number 1 is now "C"
    CustomProc->ApplyProfile();
    EXPECT_EQ(Models->cbbCustomProfile.SelectedText(), "B");
    EXPECT_EQ(Models->cbbVideoSize.SelectedText(), "352x240");

    Models->cbbProfile.Select(5); // "A", deleted
    CustomProc->ApplyProfile();
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    EXPECT_EQ(Models->cbbVideoSize.SelectedText(), "352x240");
}

TEST_F(OptionLists, ANonNumericStoredIndexReachesTheGeneralErrorHandler)
{
    WriteProfiles("\r\n[Hand]\r\nHand=4|1|x|5|1|2\r\n");
    StartUp();
    Models->cbbCustomProfile.AddItems(CommonLib->ReadProfileNames("UserProfileInfo.ini"));
    Models->cbbProfile.Select(5);
    EXPECT_THROW(CustomProc->ApplyProfile(), EConvertError);
    Guarded([] { CustomProc->ApplyProfile(); });
    ASSERT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "'x' is not a valid integer value");
    // The parts before the bad one stay applied, the rest keep their values.
    EXPECT_EQ(SixSelected(), QStringList({"320x240", "15", "128", "128", "2 channels, Stereo", "44100"}));

    // The program carries on: the next pick works.
    Models->cbbProfile.Select(0);
    Guarded([] { CustomProc->ApplyProfile(); });
    EXPECT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(Models->cbbFramerate.SelectedText(), "11");
}

TEST_F(OptionLists, ProfileFilesAreReadFromConfig)
{
    EXPECT_EQ(CommonLib->ReadProfileNames("UserProfileInfo.ini"), QStringList());
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", "Phone"), "");
    WriteProfiles("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\nphone=9\r\n\r\n[]\r\n\r\n[Ab]\r\nAb=\r\n");
    EXPECT_EQ(CommonLib->ReadProfileNames("UserProfileInfo.ini"), QStringList({"Phone", "", "Ab"}));
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", "Phone"), "4|1|3|5|1|2");
    // Sections ignore case, keys do not.
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", "phone"), "9");
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", "Ab"), "");
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", ""), "");
}
