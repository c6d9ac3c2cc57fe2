#include "Errors.h"
#include "SettingsFixture.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <QDir>
#include <QFile>

namespace {

const QString cstPrompt = "Quorvid|Plese input a name";

} // namespace

class CustomProfiles : public SettingsFixture
{
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        SetApplicationTitle("Quorvid");
    }

    // 320x240, 15, 256, 128, stereo, 44100.
    void PickPhoneOptions()
    {
        Models->cbbVideoSize.Select(4);
        Models->cbbFramerate.Select(1);
        Models->cbbVideoBitrate.Select(3);
        Models->cbbAudioBitrate.Select(5);
        Models->cbbAudioChannels.Select(1);
        Models->cbbAudioSample.Select(2);
    }
};

TEST_F(CustomProfiles, AddStoresTheSixChoicesUnderTheTypedName)
{
    PickPhoneOptions();
    Models->cbbAspectratio.Select(1);
    FakeDialogs().InputAnswers = {QString("Phone")};
    CustomProc->AddCustomProfile();
    ASSERT_EQ(FakeDialogs().CountOf("input"), 1);
    EXPECT_EQ(FakeDialogs().Calls.back().Text, cstPrompt);
    EXPECT_EQ(FakeDialogs().LastInputInitial, "UserProfileInfo1");
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n"));
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=1\r\n"));
}

TEST_F(CustomProfiles, ACancelledAddStillCountsAndWritesNoProfile)
{
    FakeDialogs().InputAnswers = {std::nullopt, QString("Second")};
    CustomProc->AddCustomProfile();
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=1\r\n"));
    EXPECT_FALSE(QFile::exists(ProfileFile()));
    CustomProc->AddCustomProfile();
    EXPECT_EQ(FakeDialogs().LastInputInitial, "UserProfileInfo2");
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=2\r\n"));
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n[Second]\r\nSecond=1|1|2|5|1|2\r\n"));
}

TEST_F(CustomProfiles, TheCounterContinuesFromTheFile)
{
    struct TCase
    {
        const char* Stored;
        const char* Proposal;
        const char* Written;
    };
    const TCase cases[] = {
        {"count=7", "UserProfileInfo8", "count=8"},
        {"count=0x10", "UserProfileInfo17", "count=17"},
        {"count=junk", "UserProfileInfo1", "count=1"},
        {"count=-3", "UserProfileInfo-2", "count=-2"},
        // At the top of the range it stays there rather than overflow.
        {"count=2147483647", "UserProfileInfo2147483647", "count=2147483647"},
    };
    for (const TCase& c : cases) {
        WriteFileBytes(CounterFile(), QByteArray("[count]\r\n") + c.Stored + "\r\n");
        CustomProc->AddCustomProfile();
        EXPECT_EQ(FakeDialogs().LastInputInitial, QString::fromLatin1(c.Proposal)) << c.Stored;
        EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("[count]\r\n") + c.Written + "\r\n") << c.Stored;
    }
}

TEST_F(CustomProfiles, AddingUnderExistingAndOddNamesFollowsTheFileRules)
{
    WriteProfiles("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n");
    struct TCase
    {
        QString Name;
        QByteArray File;
    };
    const TCase cases[] = {
        // The exact name: overwritten in place.
        {"Phone", "\r\n[Phone]\r\nPhone=1|1|2|5|1|2\r\n\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n"},
        // Another case: the same section, a second key line before the next section.
        {"PHONE", "\r\n[Phone]\r\nPhone=1|1|2|5|1|2\r\n\r\nPHONE=1|1|2|5|1|2\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n"},
        // The empty name: a header without a key line.
        {"", "\r\n[Phone]\r\nPhone=1|1|2|5|1|2\r\n\r\nPHONE=1|1|2|5|1|2\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n\r\n[]\r\n"},
        // Names are kept as typed, blanks included.
        {" Bike ",
         "\r\n[Phone]\r\nPhone=1|1|2|5|1|2\r\n\r\nPHONE=1|1|2|5|1|2\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n\r\n[]\r\n\r\n"
         "[ Bike ]\r\n Bike =1|1|2|5|1|2\r\n"},
    };
    for (const TCase& c : cases) {
        FakeDialogs().InputAnswers = {c.Name};
        CustomProc->AddCustomProfile();
        EXPECT_EQ(ReadFileBytes(ProfileFile()), c.File) << c.Name.toStdString();
    }
    EXPECT_EQ(CommonLib->ReadProfileNames("UserProfileInfo.ini"), QStringList({"Phone", "Car", "", "Bike"}));
    EXPECT_EQ(CommonLib->ReadProfileValue("UserProfileInfo.ini", "Phone"), "1|1|2|5|1|2");
}

TEST_F(CustomProfiles, SaveWritesUnderTheBoxTextAndNeverCounts)
{
    WriteProfiles("\r\n[Phone]\r\nPhone=0|0|0|0|0|0\r\n");
    Models->cbbCustomProfile.AddItems({"Phone"});
    CustomProc->SaveCustomProfile(); // empty text: nothing
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n[Phone]\r\nPhone=0|0|0|0|0|0\r\n"));

    PickPhoneOptions();
    Models->cbbCustomProfile.Select(0);
    CustomProc->SaveCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n"));

    Models->cbbCustomProfile.SetText("Tablet");
    Models->cbbVideoSize.Select(-1);
    CustomProc->SaveCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()),
              QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[Tablet]\r\nTablet=-1|1|3|5|1|2\r\n"));
    EXPECT_FALSE(QFile::exists(CounterFile()));
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
}

TEST_F(CustomProfiles, DeleteErasesTheSectionNamedByTheText)
{
    const QByteArray two = "\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[Car]\r\nCar=0|0|0|0|0|0\r\n";
    WriteProfiles(two);

    // No entries: nothing happens, whatever the text.
    Models->cbbCustomProfile.SetText("Phone");
    CustomProc->DeleteCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()), two);

    Models->cbbCustomProfile.AddItems({"Phone", "Car"});
    Models->cbbCustomProfile.SetText("Truck");
    CustomProc->DeleteCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()), two);

    // The text decides, not the selected entry.
    Models->cbbCustomProfile.Select(0);
    Models->cbbCustomProfile.SetText("car");
    CustomProc->DeleteCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n\r\n"));
    Models->cbbCustomProfile.SetText("Phone");
    CustomProc->DeleteCustomProfile();
    EXPECT_EQ(ReadFileBytes(ProfileFile()), QByteArray("\r\n\r\n"));
}

// CI runs as root, where a read-only folder is still writable: Config/ is made a plain file.
TEST_F(CustomProfiles, AFileThatCannotBeWrittenRaisesTheFileError)
{
    ASSERT_TRUE(QDir(Program->ConfigPath()).removeRecursively());
    WriteFileBytes(Program->Path() + "Config", "not a folder");
    EXPECT_THROW(CustomProc->AddCustomProfile(), EFileError);
    EXPECT_EQ(FakeDialogs().CountOf("input"), 0);
    Models->cbbCustomProfile.SetText("Phone");
    EXPECT_THROW(CustomProc->SaveCustomProfile(), EFileError);
    // Reading finds no profiles and applies nothing.
    EXPECT_EQ(CommonLib->ReadProfileNames("UserProfileInfo.ini"), QStringList());
    EXPECT_NO_THROW(CustomProc->ApplySelectedCustomProfile());
}
