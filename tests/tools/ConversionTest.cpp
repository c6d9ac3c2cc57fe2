#include "ProgressReading.h"
#include "TestEnvironment.h"
#include "ToolHarness.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct TSource
{
    const char* File;
    int Seconds; // the -t the program gives: the source's length in whole seconds (at least 1 here)
    bool HasAudio;
};

struct TOutputType
{
    const char* Name;
    const char* Codec;
    const char* Extension;
    const char* Format; // nullptr: no -f
};

const TSource cstSources[] = {
    {"clip.mp4", 3, true},        {"clip.m4v", 3, true},          {"clip.3gp", 3, true},
    {"clip.avi", 3, true},        {"clip.asf", 3, true},          {"clip.wmv", 3, true},
    {"clip.mov", 3, true},        {"clip.flv", 3, true},          {"clip.swf", 3, true},
    {"clip.mpg", 3, true},        {"clip.mpeg", 3, true},         {"clip.rm", 3, true},
    {"clip.rmvb", 3, true},       {"odd-size.mp4", 3, true},      {"surround-5.1.mp4", 3, true},
    {"audio-8bit.avi", 3, true},  {"no-audio.mp4", 3, false},     {"wide-16x9.mp4", 3, true},
    {"half-second.mp4", 1, true}, {"eight-seconds.mp4", 8, true}, {"frame-numbered.mp4", 6, true},
};

const TOutputType cstTypes[] = {
    {"Mp4", "-vcodec mpeg4 -acodec aac", ".mp4", nullptr}, {"ThreeGpMp4", "-vcodec mpeg4 -acodec aac", ".3gp", "3gp"},
    {"ThreeGpAmr", "-acodec amr_nb", ".3gp", "3gp"},       {"ThreeG2Mp4", "-vcodec mpeg4 -acodec aac", ".3g2", "3g2"},
    {"ThreeG2Amr", "-acodec amr_nb", ".3g2", "3g2"},
};

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    size_t from = 0;
    while (from < text.size()) {
        size_t at = text.find(' ', from);
        if (at == std::string::npos) {
            at = text.size();
        }
        if (at > from) {
            words.push_back(text.substr(from, at - from));
        }
        from = at + 1;
    }
    return words;
}

// The argument list the program's builder makes for the worked options (160x120, 128 kbit/s
// video, 15 fps, 4:3, 128 kbit/s audio, volume 200, stereo, 44100 Hz), in the shape of the type.
std::vector<std::string> BuilderArgs(const TOutputType& type, const std::string& input, const std::string& output,
                                     const std::string& start, int seconds)
{
    std::string middle = std::string(" ") + type.Codec;
    if (std::string(type.Codec).rfind("-vcodec", 0) == 0) {
        middle += " -b 128 -s 160x120 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100";
    } else {
        middle += " -s 160x120 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000";
    }
    if (type.Format) {
        middle += std::string(" -f ") + type.Format;
    }
    middle += " -ss " + start + " -t " + std::to_string(seconds);
    std::vector<std::string> args = {"-y", "-i", input};
    for (auto& word : Words(middle)) {
        args.push_back(word);
    }
    args.push_back(output);
    return args;
}

bool IsRealMedia(const std::string& file)
{
    auto dot = file.rfind('.');
    std::string ext = file.substr(dot);
    return ext == ".rm" || ext == ".rmvb";
}

void PrintTo(const TSource& source, std::ostream* os)
{
    *os << source.File;
}

void PrintTo(const TOutputType& type, std::ostream* os)
{
    *os << type.Name;
}

using TConversionCase = std::tuple<TSource, TOutputType>;

class ConversionTable : public ::testing::TestWithParam<TConversionCase>
{
};

TEST_P(ConversionTable, ConvertsWithTheBuildersLine)
{
    const auto& [source, type] = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string dir = folder.path().toStdString() + "/";
    const std::string sourcePath = TestMediaFolder().toStdString() + source.File;
    const std::string stem = std::string(source.File).substr(0, std::string(source.File).rfind('.'));
    const std::string output = dir + stem + type.Extension;

    // RealMedia goes to ravc through the one-line script, as the program hands it over
    std::string tool = "favc";
    std::string input = sourcePath;
    if (IsRealMedia(source.File)) {
        tool = "ravc";
        input = dir + "VideoFile.avs";
        std::ofstream(input, std::ios::binary)
            << "DirectShowSource(\"" << sourcePath << "\", fps=29.9700898503294, convertfps=true)\r\n";
    }
    TToolRun run = RunTool(tool, BuilderArgs(type, input, output, "00:00:00", source.Seconds));
    ASSERT_TRUE(run.Started);
    ASSERT_FALSE(run.TimedOut);
    EXPECT_FALSE(ToolChildrenLeft());

    const bool amr = std::string(type.Codec) == "-acodec amr_nb";
    if (amr && !source.HasAudio) {
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_NE(run.Stderr.find("no audio"), std::string::npos) << run.Stderr;
        EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
        EXPECT_FALSE(std::filesystem::exists(output));
        return;
    }
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_TRUE(run.Stderr.empty()) << run.Stderr;

    const TMediaInfo sourceInfo = InspectMedia(sourcePath);
    double expected = source.Seconds;
    if (sourceInfo.ContainerSeconds > 0) {
        expected = std::min(expected, sourceInfo.ContainerSeconds);
    }

    const TMediaInfo out = InspectMedia(output);
    ASSERT_TRUE(out.Opened);
    EXPECT_EQ(out.DecodeErrors, 0);
    const std::string ext = type.Extension;
    if (ext == ".mp4") {
        EXPECT_EQ(out.MajorBrand, "isom");
    } else {
        EXPECT_EQ(out.MajorBrand.substr(0, 3), ext.substr(1, 3)) << out.MajorBrand;
    }
    double outputLength = 0;
    if (amr) {
        EXPECT_EQ(out.VideoStreams, 0);
        ASSERT_EQ(out.AudioStreams, 1);
        EXPECT_EQ(out.AudioCodec, "amr_nb");
        EXPECT_EQ(out.SampleRate, 8000);
        EXPECT_EQ(out.Channels, 1);
        EXPECT_NEAR(out.AudioSeconds(), expected, 0.020);
        outputLength = out.AudioSeconds();
    } else {
        ASSERT_EQ(out.VideoStreams, 1);
        EXPECT_EQ(out.VideoCodec, "mpeg4");
        EXPECT_EQ(out.Width, 160);
        EXPECT_EQ(out.Height, 120);
        EXPECT_DOUBLE_EQ(out.FrameRate, 15.0);
        EXPECT_NEAR(out.VideoSeconds(), expected, 1.0 / 15 + 1e-6);
        outputLength = out.VideoSeconds();
        if (source.HasAudio) {
            ASSERT_EQ(out.AudioStreams, 1);
            EXPECT_EQ(out.AudioCodec, "aac");
            EXPECT_EQ(out.SampleRate, 44100);
            EXPECT_EQ(out.Channels, 2);
            // AAC comes in 1024-sample frames
            EXPECT_NEAR(out.AudioSeconds(), expected, 1024.0 / 44100 + 0.001);
        } else {
            EXPECT_EQ(out.AudioStreams, 0);
        }
    }

    // the progress window's own reading of every line
    std::vector<std::string> lines = SplitProgressLines(run.Stdout);
    ASSERT_GE(lines.size(), 2u) << run.Stdout;
    EXPECT_EQ(ReadProgressSeconds(lines.front(), type.Codec, ext), std::nullopt) << lines.front();
    long long previous = -1;
    for (const auto& line : lines) {
        if (auto seconds = ReadProgressSeconds(line, type.Codec, ext)) {
            EXPECT_GE(*seconds, previous) << line;
            previous = *seconds;
        }
    }
    ASSERT_GE(previous, 0);
    EXPECT_LE(std::abs(static_cast<double>(previous) - outputLength), 1.0);
    // the shown seconds are whole, so check the line's own decimals against the length too
    const std::string& last = lines.back();
    const double shown = std::stod(last.substr(last.find("time=") + 5));
    EXPECT_NEAR(shown, outputLength, 0.5) << last;
}

std::string CaseName(const ::testing::TestParamInfo<TConversionCase>& caseInfo)
{
    std::string name;
    for (char c : std::string(std::get<0>(caseInfo.param).File)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name + "_" + std::get<1>(caseInfo.param).Name;
}

INSTANTIATE_TEST_SUITE_P(Sources, ConversionTable,
                         ::testing::Combine(::testing::ValuesIn(cstSources), ::testing::ValuesIn(cstTypes)), CaseName);

} // namespace
