#include "AppObjects.h"
#include "ControlModels.h"
#include "Errors.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

class UserSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        File = Program->ConfigPath() + "UserSettings.ini";
    }

    std::unique_ptr<TTempProgramFolder> Program;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    QString File;
};

TEST_F(UserSettingsTest, FirstStartUsesTheDefaults)
{
    const QString home = Program->Home();
    CustomProc->LoadUserSettings();
    EXPECT_EQ(Models->edtOutputFolder.Text(), home + "Quorvid Convert Folder");
    EXPECT_FALSE(Models->chkShowOutputDirectory.Checked());
    EXPECT_FALSE(Models->chkShutdown.Checked());
    EXPECT_EQ(CustomProc->ReadInitialFolder(), home);
    EXPECT_FALSE(QFile::exists(File));
}

TEST_F(UserSettingsTest, AFreshFileIsWrittenInTheOrderOfFirstWriting)
{
    CustomProc->SaveInitialFolder("/media/clips/a.mp4");
    Models->chkShowOutputDirectory.SetChecked(true);
    Models->edtOutputFolder.SetText("/home/ann/Out put");
    CustomProc->SaveUserSettings();
    EXPECT_EQ(ReadFileBytes(File), QByteArray("\r\n[USRInfo]\r\nInitDir=/media/clips/\r\nSHWDDir=1\r\nSHUTDOWN=0\r\n"
                                              "OutDir=/home/ann/Out put\r\n"));
    EXPECT_EQ(CustomProc->ReadInitialFolder(), "/media/clips/");
}

TEST_F(UserSettingsTest, ClosingWithoutAddingFilesWritesThreeKeys)
{
    Models->chkShowOutputDirectory.SetChecked(false);
    CustomProc->SaveUserSettings();
    EXPECT_EQ(ReadFileBytes(File),
              ("\r\n[USRInfo]\r\nSHWDDir=0\r\nSHUTDOWN=0\r\nOutDir=" + Program->Home() + "Quorvid Convert Folder\r\n")
                  .toUtf8());
}

TEST_F(UserSettingsTest, OnlyOneChecksASwitchAndAnEmptyFolderKeepsTheText)
{
    struct TCase
    {
        const char* Value;
        bool Checked;
    };
    const TCase cases[] = {{"1", true}, {"0", false}, {"yes", false}, {"true", false}, {"", false}, {" 1 ", true}};
    for (const auto& c : cases) {
        WriteFileBytes(File,
                       QByteArray("[USRInfo]\r\nSHWDDir=") + c.Value + "\r\nSHUTDOWN=" + c.Value + "\r\nOutDir=\r\n");
        Models->chkShowOutputDirectory.SetChecked(!c.Checked);
        Models->edtOutputFolder.SetText("/kept");
        CustomProc->LoadUserSettings();
        EXPECT_EQ(Models->chkShowOutputDirectory.Checked(), c.Checked) << c.Value;
        EXPECT_EQ(Models->chkShutdown.Checked(), c.Checked) << c.Value;
        EXPECT_EQ(Models->edtOutputFolder.Text(), "/kept");
    }
}

TEST_F(UserSettingsTest, AnEmptyDialogFileNameStoresNothing)
{
    CustomProc->SaveInitialFolder("");
    EXPECT_FALSE(QFile::exists(File));
}

TEST_F(UserSettingsTest, AMissingConfigFolderIsAFileErrorAndNoFolderIsMade)
{
    QDir(Program->ConfigPath()).removeRecursively();
    EXPECT_THROW(CustomProc->SaveUserSettings(), EFileError);
    EXPECT_FALSE(QDir(Program->ConfigPath()).exists());
}

TEST_F(UserSettingsTest, AnUnreadableFileIsAFileErrorNamingIt)
{
    QDir().mkpath(File);
    try {
        CustomProc->LoadUserSettings();
        FAIL() << "no error";
    } catch (const EFileError& e) {
        EXPECT_TRUE(e.Message().contains(File));
    }
}
