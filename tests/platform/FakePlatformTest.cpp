#include "FakePlatform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(FakePlatform, SleepingMovesTheVirtualClockWithoutWaiting)
{
    TFakePlatform fake;
    const auto start = fake.MonotonicMs();
    const QDateTime then = fake.Now();
    int hooked = 0;
    fake.OnSleep = [&](int ms) { hooked += ms; };
    fake.Sleep(2000);
    fake.Sleep(3000);
    EXPECT_EQ(fake.MonotonicMs() - start, 5000);
    EXPECT_EQ(then.msecsTo(fake.Now()), 5000);
    EXPECT_EQ(fake.Sleeps, (std::vector<int>{2000, 3000}));
    EXPECT_EQ(hooked, 5000);
}

TEST(FakePlatform, SeesAndKillsOnlyProcessesInsideItsScope)
{
    TFakePlatform fake;
    EXPECT_TRUE(fake.Processes().empty());
    EXPECT_FALSE(fake.KillProcess(getpid()));
    QTemporaryDir scope;
    fake.SetProcessScope(scope.path() + '/');
    EXPECT_TRUE(fake.Processes().empty());
    EXPECT_FALSE(fake.KillProcess(getpid()));
    EXPECT_TRUE(fake.Killed.empty());
}

TEST(FakePlatform, RecordsWhatItMustNeverDo)
{
    TFakePlatform fake;
    EXPECT_TRUE(fake.PowerOff());
    fake.ExitProcess(0);
    EXPECT_TRUE(fake.OpenUrl("/home/u/out"));
    EXPECT_EQ(fake.PowerOffCount, 1);
    EXPECT_EQ(fake.ExitCodes, std::vector<int>{0});
    EXPECT_EQ(fake.OpenedUrls, QStringList{"/home/u/out"});
}
