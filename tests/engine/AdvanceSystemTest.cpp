#include "AdvanceSystem.h"
#include "EngineTestSupport.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

class RunnerTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        P = Program->Path();
    }

    // Runs the program folder's "enc" script (its path holds a blank) and collects the chunks.
    bool Run(const QString& arguments, QStringList& chunks, TRunOutcome* outcome = nullptr)
    {
        return RunAndCapture(
            P + "enc" + arguments, [&chunks](const QString& chunk) { chunks << chunk; }, outcome);
    }

    std::unique_ptr<TTempProgramFolder> Program;
    QString P;
};

struct TCaptureCase
{
    const char* Name;
    QByteArray Script;
    QStringList Chunks;
};

TEST_F(RunnerTest, DeliversOnlyWhatTheRulesLetThrough)
{
    WriteFileBytes(P + "burst.bin", QByteArray(1023, 'a') + QByteArray(1023, 'b') + QByteArray(954, 'c'));
    WriteFileBytes(P + "exact.bin", QByteArray(1023, 'a') + QByteArray(1023, 'b'));
    const TCaptureCase cases[] = {
        {"silence", "sleep 0.3\n", {}},
        // One write of 3000 bytes: three pieces are read, only the last one is handed over.
        {"burst", "sleep 0.2\ncat burst.bin\nsleep 0.2\n", {QString(954, 'c')}},
        {"exactly 2046 at the end", "cat exact.bin\n", {QString(1023, 'b')}},
        {"zero byte", "printf 'abc\\000def'\n", {"abc"}},
        {"two chunks in order", "printf one\nsleep 0.2\nprintf two\n", {"one", "two"}},
    };
    for (const auto& c : cases) {
        WriteScript(P + "enc", c.Script);
        QStringList chunks;
        TRunOutcome outcome;
        EXPECT_TRUE(Run("", chunks, &outcome)) << c.Name;
        EXPECT_EQ(chunks, c.Chunks) << c.Name;
        EXPECT_TRUE(outcome.Succeeded()) << c.Name;
    }
}

TEST_F(RunnerTest, AMissingExecutableReturnsFalseAndLeavesNothingOpen)
{
    const int before = OpenDescriptorCount();
    QStringList chunks;
    TRunOutcome outcome;
    outcome.Kind = TRunOutcome::Exited;
    EXPECT_FALSE(Run(" -y -i \"x.mp4\"", chunks, &outcome));
    EXPECT_TRUE(chunks.isEmpty());
    EXPECT_EQ(outcome.Kind, TRunOutcome::NotStarted);
    EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(RunnerTest, RunsInTheProgramFolderWithPipesAndItsOwnGroup)
{
    ASSERT_TRUE(P.contains(' '));
    WriteScript(P + "enc", "out=\"$(pwd)|$1|$2|$(readlink /proc/$$/fd/0)|$(readlink /proc/$$/fd/1)|"
                           "$(readlink /proc/$$/fd/2)|$(cut -d' ' -f5 /proc/$$/stat)|$$\"\n"
                           "printf '%s' \"$out\"\n");
    const int before = OpenDescriptorCount();
    QStringList chunks;
    ASSERT_TRUE(Run(" -y \"a b.mp4\"", chunks));
    EXPECT_EQ(OpenDescriptorCount(), before);
    ASSERT_EQ(chunks.size(), 1);
    const QStringList f = chunks[0].split('|');
    ASSERT_EQ(f.size(), 8) << chunks[0].toStdString();
    EXPECT_EQ(f[0] + "/", P);
    EXPECT_EQ(f[1], "-y");
    EXPECT_EQ(f[2], "a b.mp4");
    EXPECT_TRUE(f[3].startsWith("pipe:")) << f[3].toStdString();
    EXPECT_TRUE(f[4].startsWith("pipe:")) << f[4].toStdString();
    EXPECT_NE(f[3], f[4]);
    EXPECT_EQ(f[4], f[5]);
    EXPECT_EQ(f[6], f[7]);
}

TEST_F(RunnerTest, StdinIsAPipeThatNeverEnds)
{
    // A child that reads its input would block: nobody writes, and the write end stays open.
    WriteScript(P + "enc", "exec 3<&0\n(sleep 0.4; kill $$) &\nread line\necho got \"$line\"\n");
    QStringList chunks;
    TRunOutcome outcome;
    ASSERT_TRUE(Run("", chunks, &outcome));
    EXPECT_TRUE(chunks.isEmpty()) << chunks.join('|').toStdString();
    EXPECT_EQ(outcome.Kind, TRunOutcome::Signalled);
}

TEST_F(RunnerTest, RecordsTheExitStatusAndTheLastLine)
{
    WriteScript(P + "enc", "printf 'frame=    1 time=0.04\\r'\necho 'Cannot read the input file' >&2\nexit 3\n");
    QStringList chunks;
    TRunOutcome outcome;
    ASSERT_TRUE(Run("", chunks, &outcome));
    EXPECT_EQ(outcome.Kind, TRunOutcome::Exited);
    EXPECT_EQ(outcome.Status, 3);
    EXPECT_EQ(outcome.LastLine, "Cannot read the input file");
    EXPECT_FALSE(outcome.Succeeded());
}

TEST_F(RunnerTest, TheThreadHandsChunksOverInOrderWithoutWaiting)
{
    WriteScript(P + "enc", "printf one\nsleep 0.1\nprintf two\nexit 2\n");
    QStringList chunks;
    std::vector<QThread*> threads;
    QObject context;
    auto runner = std::make_unique<TAdvanceSystem>(
        P + "enc",
        [&](const QString& chunk) {
            chunks << chunk;
            threads.push_back(QThread::currentThread());
        },
        &context);
    // Created suspended.
    QThread::msleep(100);
    EXPECT_FALSE(runner->isRunning());
    EXPECT_FALSE(runner->isFinished());
    runner->start();
    ASSERT_TRUE(runner->wait(10000));
    // The worker never waited for the hand-over.
    EXPECT_TRUE(chunks.isEmpty());
    EXPECT_EQ(runner->Outcome().Status, 2);
    runner.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(chunks, QStringList({"one", "two"}));
    for (QThread* t : threads)
        EXPECT_EQ(t, QCoreApplication::instance()->thread());
}

TEST_F(RunnerTest, ReleaseWaitsForTheThreadAndQueuedChunksDieWithTheirContext)
{
    WriteScript(P + "enc", "printf late\n");
    QStringList chunks;
    {
        QObject context;
        TAdvanceSystem runner(
            P + "enc", [&](const QString& chunk) { chunks << chunk; }, &context);
        runner.start();
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(chunks.isEmpty());
}
