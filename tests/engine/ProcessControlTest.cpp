#include "AppObjects.h"
#include "ControlModels.h"
#include "EngineTestSupport.h"
#include "SysFunc.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "Unit_CommonLib.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// A platform whose kills never take, as with a process stuck in the kernel.
class TUnkillablePlatform : public TFakePlatform
{
public:
    bool KillProcess(std::int64_t) override { return false; }
};

} // namespace

// Only copies of a harmless program, started here and named like the encoders, are ever seen.
class ProcessControlTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        P = Program->Path();
        Bin = Program->MakeFolder("bin");
        for (const char* name : {"favc", "FAVC", "ravc", "fevc"})
            ASSERT_TRUE(QFile::copy("/bin/sleep", Bin + name));
        FakePlatform().SetProcessScope(Bin);
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
    }

    void TearDown() override
    {
        Objects.reset();
        Children.clear();
    }

    std::int64_t Start(const QString& name)
    {
        auto child = std::make_unique<QProcess>();
        child->start(Bin + name, {"30"});
        EXPECT_TRUE(child->waitForStarted(5000)) << name.toStdString();
        const std::int64_t pid = child->processId();
        Children[pid] = std::move(child);
        return pid;
    }

    // The kill may already have been noticed while the code under test processed events.
    bool Ended(std::int64_t pid)
    {
        QProcess& child = *Children.at(pid);
        return child.state() == QProcess::NotRunning || child.waitForFinished(5000);
    }
    bool StillRunning(std::int64_t pid) { return Children.at(pid)->state() == QProcess::Running; }
    int LogLines(const QString& text) const { return LogLinesEndingWith(P + "log.txt", text); }

    std::unique_ptr<TTempProgramFolder> Program;
    QString P, Bin;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    std::map<std::int64_t, std::unique_ptr<QProcess>> Children;
};

TEST_F(ProcessControlTest, NamesMatchWithoutRegardToCaseAndTheLastMatchIsReported)
{
    EXPECT_EQ(SysFunc->IsProcessRunning("favc"), 0);
    const std::int64_t upper = Start("FAVC");
    EXPECT_EQ(SysFunc->IsProcessRunning("favc"), upper);
    EXPECT_EQ(SysFunc->IsProcessRunning("FaVc"), upper);
    const std::int64_t lower = Start("favc");
    std::int64_t lastInWalk = 0;
    for (const auto& p : FakePlatform().Processes())
        if (p.Pid == upper || p.Pid == lower)
            lastInWalk = p.Pid;
    EXPECT_EQ(SysFunc->IsProcessRunning("favc"), lastInWalk);
    EXPECT_EQ(CommonLib->GetProcessIdByName("FAVC"), lastInWalk);
    EXPECT_EQ(LogLines("Get Process id error."), 0);
    EXPECT_EQ(CommonLib->GetProcessIdByName("ravc"), 0);
    EXPECT_EQ(LogLines("Get Process id error."), 1);
}

TEST_F(ProcessControlTest, KillProcessByNameKillsEveryMatchAndNothingElse)
{
    const std::int64_t a = Start("favc");
    const std::int64_t b = Start("FAVC");
    const std::int64_t other = Start("ravc");
    EXPECT_TRUE(CommonLib->EnableDebugPrivilege());
    EXPECT_TRUE(CommonLib->KillProcessByName("favc"));
    EXPECT_TRUE(Ended(a));
    EXPECT_TRUE(Ended(b));
    EXPECT_TRUE(StillRunning(other));
    EXPECT_EQ(Children.at(a)->exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(LogLines("Terminate process error."), 0);

    EXPECT_FALSE(CommonLib->KillProcessByName("fevc"));
    EXPECT_EQ(LogLines("Terminate process error."), 1);
}

TEST_F(ProcessControlTest, StopEncoderLooksForTheFileNameOnlyThenForFevc)
{
    const std::int64_t favc = Start("favc");
    const std::int64_t ravc = Start("ravc");
    const std::int64_t fevc = Start("fevc");
    CommonLib->StopEncoder("/opt/Conv/ravc");
    EXPECT_TRUE(Ended(ravc));
    EXPECT_TRUE(Ended(fevc));
    EXPECT_TRUE(StillRunning(favc));
    // Each loop ends with the lookup that finds nothing.
    EXPECT_EQ(LogLines("Get Process id error."), 2);
    for (int ms : FakePlatform().Sleeps)
        EXPECT_EQ(ms, 500);
    EXPECT_GE(FakePlatform().Sleeps.size(), 2u);
}

TEST_F(ProcessControlTest, StopEncoderWhenNothingRunsLooksTwiceAndReturns)
{
    CommonLib->StopEncoder(P + "favc");
    EXPECT_EQ(LogLines("Get Process id error."), 2);
    EXPECT_TRUE(FakePlatform().Sleeps.empty());
}

TEST_F(ProcessControlTest, StopEncoderGivesUpOnAProcessThatWillNotDie)
{
    TUnkillablePlatform stubborn;
    stubborn.SetProgramFolder(P);
    stubborn.SetProcessScope(Bin);
    TPlatform* previous = SetPlatform(&stubborn);
    const std::int64_t favc = Start("favc");
    const std::int64_t fevc = Start("fevc");
    CommonLib->StopEncoder("favc");
    SetPlatform(previous);

    EXPECT_TRUE(StillRunning(favc));
    EXPECT_TRUE(StillRunning(fevc));
    EXPECT_EQ(LogLines("Could not stop favc within 10 seconds; giving up."), 1);
    EXPECT_EQ(LogLines("Could not stop fevc within 10 seconds; giving up."), 1);
    // 10 s of 500 ms pauses per name, on the platform's clock.
    EXPECT_EQ(stubborn.Sleeps.size(), 40u);
}
