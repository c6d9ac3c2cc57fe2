#include "AppObjects.h"
#include "ControlModels.h"
#include "IniFiles32.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "Unit_CommonLib.h"

#include <gtest/gtest.h>

TEST(ShowMsg, ShowsKindsZeroToThreeOnly)
{
    ResetDoubles();
    TTempProgramFolder program;
    TControlModels models;
    TAppObjects objects(models);
    for (int kind = 0; kind <= 3; ++kind)
        EXPECT_TRUE(CommonLib->ShowMsg(QStringLiteral("kind %1").arg(kind), kind));
    EXPECT_FALSE(CommonLib->ShowMsg("never", 5));
    EXPECT_FALSE(CommonLib->ShowMsg("never", -1));
    ASSERT_EQ(FakeDialogs().Calls.size(), 4u);
    for (int kind = 0; kind <= 3; ++kind) {
        EXPECT_EQ(FakeDialogs().Calls[kind].Kind, "message");
        EXPECT_EQ(FakeDialogs().Calls[kind].Type, kind);
    }
    EXPECT_EQ(CommonLib->AppPath(), program.Path());
}

TEST(SettingsFiles, TheProfileFilesExamplesByteForByte)
{
    ResetDoubles();
    TTempProgramFolder program;
    {
        TIniFile32 profiles(program.ConfigPath() + "UserProfileInfo.ini");
        profiles.WriteString("Phone", "Phone", "4|1|3|5|1|2");
    }
    EXPECT_EQ(ReadFileBytes(program.ConfigPath() + "UserProfileInfo.ini"),
              QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n"));
    {
        TIniFile32 counter(program.ConfigPath() + "UserProfileCount.ini");
        const int n = counter.ReadInteger("count", "count", 0);
        counter.WriteInteger("count", "count", n + 1);
    }
    EXPECT_EQ(ReadFileBytes(program.ConfigPath() + "UserProfileCount.ini"), QByteArray("\r\n[count]\r\ncount=1\r\n"));
}
