#include "ProgressReading.h"
#include "TestEnvironment.h"
#include "ToolHarness.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

std::string Media(const char* file)
{
    return TestMediaFolder().toStdString() + file;
}

std::vector<std::string> VideoArgs(const std::string& input, const std::string& start, const std::string& length,
                                   const std::string& output)
{
    return {"-y",      "-i",  input,   "-vcodec", "mpeg4", "-acodec", "aac",  "-b",   "128", "-s",
            "160x120", "-r",  "15",    "-aspect", "4:3",   "-ab",     "128",  "-vol", "200", "-ac",
            "2",       "-ar", "44100", "-ss",     start,   "-t",      length, output};
}

// The source frame (of the frame-numbered clip, every frame unique) that a picture shows.
int MatchingSourceFrame(const std::vector<uint8_t>& picture, const std::vector<std::vector<uint8_t>>& source)
{
    int best = -1;
    double bestDifference = 1e18;
    for (size_t k = 0; k < source.size(); ++k) {
        double difference = MeanDifference(picture, source[k]);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = static_cast<int>(k);
        }
    }
    return best;
}

TEST(ToolTrim, StartsWithTheFrameShownAtTheStartAndLastsTheLength)
{
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/trimmed.mp4";
    TToolRun run = RunTool("favc", VideoArgs(Media("frame-numbered.mp4"), "00:00:02", "3", output));
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;

    const auto source = GreyFrames(Media("frame-numbered.mp4"), 160, 120, 150);
    ASSERT_EQ(source.size(), 150u);
    const auto converted = GreyFrames(output, 160, 120, 16);
    ASSERT_EQ(converted.size(), 16u);
    // 25 fps source, 15 fps output: output frame 0 is source frame 50, output frame 15 is 75
    EXPECT_EQ(MatchingSourceFrame(converted[0], source), 50);
    EXPECT_EQ(MatchingSourceFrame(converted[15], source), 75);

    TMediaInfo info = InspectMedia(output);
    EXPECT_NEAR(info.VideoSeconds(), 3.0, 1.0 / 15 + 1e-6);
    EXPECT_NEAR(info.AudioSeconds(), 3.0, 1024.0 / 44100 + 0.001);

    // the progress seconds count from the start of the part, not of the source
    auto lines = SplitProgressLines(run.Stdout);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(ReadProgressSeconds(lines.back(), "-vcodec mpeg4 -acodec aac", ".mp4"), 3);
}

TEST(ToolTrim, AmrOutputOfAPartLastsTheLength)
{
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/part.3g2";
    TToolRun run = RunTool("favc", {"-y",      "-i",       Media("eight-seconds.mp4"),
                                    "-acodec", "amr_nb",   "-s",
                                    "160x120", "-b",       "128",
                                    "-ab",     "7",        "-vol",
                                    "-ac",     "1",        "-ar",
                                    "8000",    "-f",       "3g2",
                                    "-ss",     "00:00:05", "-t",
                                    "2",       output});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    TMediaInfo info = InspectMedia(output);
    EXPECT_EQ(info.AudioCodec, "amr_nb");
    EXPECT_NEAR(info.AudioSeconds(), 2.0, 0.020);
    EXPECT_EQ(ReadProgressSeconds(SplitProgressLines(run.Stdout).back(), "-acodec amr_nb", ".3g2"), 2);
}

TEST(ToolTrim, APartOfASourceWithoutDurationStillConverts)
{
    // SWF keeps no duration and no index: the start is reached by reading, not by seeking.
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/part.mp4";
    TToolRun run = RunTool("favc", VideoArgs(Media("clip.swf"), "00:00:01", "2", output));
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    TMediaInfo info = InspectMedia(output);
    EXPECT_NEAR(info.VideoSeconds(), 2.0, 1.0 / 15 + 1e-6);
}

struct TFailureCase
{
    const char* Name;
    const char* Tool;
    std::vector<std::string> Args; // "%OUT%" is the output path, "%DIR%" the test's folder
    int ExitCode;
    const char* Says; // a piece of the reason line
};

void PrintTo(const TFailureCase& failure, std::ostream* os)
{
    *os << failure.Name;
}

class ToolFailures : public ::testing::TestWithParam<TFailureCase>
{
};

TEST_P(ToolFailures, EndsWithOneReasonLineAndNoOutput)
{
    const TFailureCase& c = GetParam();
    QTemporaryDir folder;
    const std::string dir = folder.path().toStdString() + "/";
    const std::string output = dir + "out.3gp";
    std::ofstream(dir + "bad.avs") << "DirectShowSource(" << Media("clip.rm") << ", fps=29.97)\r\n";
    std::ofstream(dir + "missing.avs") << "DirectShowSource(\"" << dir
                                       << "gone.rm\", fps=29.9700898503294, convertfps=true)\r\n";
    std::vector<std::string> args;
    for (std::string arg : c.Args) {
        if (auto at = arg.find("%OUT%"); at != std::string::npos) {
            arg.replace(at, 5, output);
        }
        if (auto at = arg.find("%DIR%"); at != std::string::npos) {
            arg.replace(at, 5, dir);
        }
        if (auto at = arg.find("%MEDIA%"); at != std::string::npos) {
            arg.replace(at, 7, TestMediaFolder().toStdString());
        }
        args.push_back(arg);
    }
    TToolRun run = RunTool(c.Tool, args);
    ASSERT_TRUE(run.Started);
    EXPECT_FALSE(run.TimedOut);
    EXPECT_LT(run.Seconds, 10.0);
    EXPECT_FALSE(ToolChildrenLeft());
    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Stderr;
    EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
    EXPECT_EQ(run.Stderr.back(), '\n');
    EXPECT_NE(run.Stderr.find(c.Says), std::string::npos) << run.Stderr;
    EXPECT_EQ(run.Stderr.rfind(std::string(c.Tool) + ": ", 0), 0u) << run.Stderr;
    EXPECT_FALSE(std::filesystem::exists(output));
}

const std::vector<std::string> cstAmr = {"-acodec", "amr_nb", "-s",  "160x120", "-b",  "128",  "-ab", "128",
                                         "-vol",    "200",    "-ac", "1",       "-ar", "8000", "-f",  "3gp"};

std::vector<std::string> Line(std::vector<std::string> head, const std::vector<std::string>& tail = cstAmr,
                              std::vector<std::string> end = {"-ss", "00:00:00", "-t", "3", "%OUT%"})
{
    head.insert(head.end(), tail.begin(), tail.end());
    head.insert(head.end(), end.begin(), end.end());
    return head;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolFailures,
    ::testing::Values(
        TFailureCase{"UnknownOption", "favc", Line({"-y", "-i", "%MEDIA%clip.mp4", "-q", "5"}), 2, "'-q'"},
        TFailureCase{"BadSize", "favc", Line({"-y", "-i", "%MEDIA%clip.mp4"}, {"-s", "12y40"}), 2, "'12y40'"},
        TFailureCase{"BadStart", "favc", Line({"-y", "-i", "%MEDIA%clip.mp4"}, cstAmr, {"-ss", "0:99:00", "%OUT%"}), 2,
                     "'0:99:00'"},
        TFailureCase{"MissingInputValue", "favc", {"-y", "-i", "%OUT%"}, 2, "'-i'"},
        TFailureCase{"NoArguments", "favc", {}, 2, "no arguments"},
        TFailureCase{"MissingInput", "favc", Line({"-y", "-i", "%DIR%nothing-here.avi"}), 1, "nothing-here.avi"},
        TFailureCase{"UnwritableFolder", "favc",
                     Line({"-y", "-i", "%MEDIA%clip.mp4"}, cstAmr, {"-t", "3", "%DIR%no/such/folder/x.3gp"}), 1,
                     "no/such/folder"},
        TFailureCase{"Truncated", "favc", Line({"-y", "-i", "%MEDIA%truncated.mp4"}), 1, "truncated.mp4"},
        TFailureCase{"RandomBytes", "favc", Line({"-y", "-i", "%MEDIA%random-bytes.avi"}), 1, "random-bytes.avi"},
        TFailureCase{"ZeroLength", "favc", Line({"-y", "-i", "%MEDIA%clip.mp4"}, cstAmr, {"-t", "0", "%OUT%"}), 1,
                     "nothing to convert"},
        TFailureCase{"NegativeLength", "favc",
                     Line({"-y", "-i", "%MEDIA%clip.mp4"}, cstAmr, {"-ss", "00:00:02", "-t", "-5", "%OUT%"}), 1,
                     "nothing to convert"},
        TFailureCase{"StartPastTheEnd", "favc",
                     Line({"-y", "-i", "%MEDIA%clip.mp4"}, cstAmr, {"-ss", "00:00:10", "-t", "3", "%OUT%"}), 1,
                     "nothing to convert"},
        TFailureCase{"NoVideoStream", "favc",
                     Line({"-y", "-i", "%OUT%.m4a"}, {"-vcodec", "mpeg4", "-acodec", "aac", "-f", "3gp"}), 1, ".m4a"},
        TFailureCase{"ScriptMissing", "ravc", Line({"-y", "-i", "%DIR%VideoFile.avs"}), 2, "VideoFile.avs"},
        TFailureCase{"ScriptMalformed", "ravc", Line({"-y", "-i", "%DIR%bad.avs"}), 2, "script"},
        TFailureCase{"ScriptNamesMissingFile", "ravc", Line({"-y", "-i", "%DIR%missing.avs"}), 1, "gone.rm"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.Name); });

TEST(ToolFailures, AnExistingOutputIsKeptWithoutOverwrite)
{
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/kept.mp4";
    std::ofstream(output) << "precious";
    auto args = VideoArgs(Media("clip.mp4"), "00:00:00", "3", output);
    args.erase(args.begin()); // no -y
    TToolRun run = RunTool("favc", args);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Stderr.find("exists"), std::string::npos) << run.Stderr;
    std::ifstream in(output);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "precious");
}

TEST(ToolFailures, AnOutputCutShortByAFailedWriteIsRemoved)
{
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/cut.mp4";
    // a file-size limit makes the writes fail part-way, as a full disk would
    TToolRun run = RunTool("favc", VideoArgs(Media("eight-seconds.mp4"), "00:00:00", "8", output), 10000, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{20000, 20000};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(ToolKill, KilledToolLeavesItsPartialOutputAndNothingRunning)
{
    QTemporaryDir folder;
    const std::string output = folder.path().toStdString() + "/killed.mp4";
    QProcess process;
    QStringList args;
    for (const auto& arg : VideoArgs(Media("eight-seconds.mp4"), "00:00:00", "8", output)) {
        args << QString::fromStdString(arg);
    }
    process.start(QString::fromStdString(ToolPath("favc")), args);
    ASSERT_TRUE(process.waitForStarted(5000));
    // the first progress line comes once the output is open
    ASSERT_TRUE(process.waitForReadyRead(5000));
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(std::filesystem::exists(output));
    EXPECT_FALSE(ToolChildrenLeft());
}

} // namespace
