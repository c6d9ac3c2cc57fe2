#include "ProgressLine.h"
#include "ProgressReading.h"
#include "ScriptFile.h"
#include "ToolOptions.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// Splits like the program's runner does for these lines: blanks separate, quotes group.
std::vector<std::string> SplitLine(const std::string& line)
{
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false;
    bool have = false;
    for (size_t k = 0; k < line.size(); ++k) {
        char c = line[k];
        if (c == '\\' && k + 1 < line.size() && line[k + 1] == '"') {
            current += '"';
            have = true;
            ++k;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            have = true;
        } else if (c == ' ' && !inQuotes) {
            if (have) {
                args.push_back(current);
            }
            current.clear();
            have = false;
        } else {
            current += c;
            have = true;
        }
    }
    if (have) {
        args.push_back(current);
    }
    return args;
}

TParseResult Parse(const std::string& line)
{
    auto owned = SplitLine(line);
    std::vector<std::string_view> args(owned.begin(), owned.end());
    return ParseToolArguments(args);
}

struct TLineCase
{
    const char* Line;
    bool Video;
    bool Amr;
    const char* Container;
    int Channels;
    int SampleRate;
    int Volume;
    double Start;
    double Length; // < -1e8: no -t
};

class ToolOptionsLines : public ::testing::TestWithParam<TLineCase>
{
};

TEST_P(ToolOptionsLines, ReadsTheLinesTheProgramBuilds)
{
    const TLineCase& c = GetParam();
    TParseResult result = Parse(c.Line);
    ASSERT_TRUE(std::holds_alternative<TToolOptions>(result))
        << (std::holds_alternative<TOptionError>(result) ? DescribeOptionError("favc", std::get<TOptionError>(result))
                                                         : "help");
    const auto& o = std::get<TToolOptions>(result);
    EXPECT_TRUE(o.Overwrite);
    EXPECT_EQ(o.InputPath, "/src/-party \"x\".wmv");
    EXPECT_EQ(o.OutputPath, std::string("/out/party.") + (std::string(c.Container) == "mp4" ? "mp4" : c.Container));
    EXPECT_EQ(o.VideoWanted, c.Video);
    EXPECT_EQ(o.AudioAmrNb, c.Amr);
    EXPECT_EQ(o.Container, c.Container);
    EXPECT_EQ(o.VideoKbps, 128);
    EXPECT_EQ(o.Width, 160);
    EXPECT_EQ(o.Height, 120);
    EXPECT_EQ(o.AudioKbps, 128);
    EXPECT_EQ(o.Volume, c.Volume);
    EXPECT_EQ(o.Channels, c.Channels);
    EXPECT_EQ(o.SampleRate, c.SampleRate);
    EXPECT_DOUBLE_EQ(o.StartSeconds, c.Start);
    if (c.Length < -1e8) {
        EXPECT_FALSE(o.LengthSeconds.has_value());
    } else {
        ASSERT_TRUE(o.LengthSeconds.has_value());
        EXPECT_DOUBLE_EQ(*o.LengthSeconds, c.Length);
    }
    if (c.Video) {
        EXPECT_EQ(o.FrameRateNum, 15);
        EXPECT_EQ(o.FrameRateDen, 1);
        EXPECT_EQ(o.AspectNum, 4);
        EXPECT_EQ(o.AspectDen, 3);
    }
}

// The input path begins with "-" and holds quotation marks, escaped as the runner splits them.
const char* const cstIn = "-i \"/src/-party \\\"x\\\".wmv\"";

INSTANTIATE_TEST_SUITE_P(
    Builder, ToolOptionsLines,
    ::testing::Values(
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -vcodec mpeg4 -acodec aac -b 128 -s 160x120 -r 15 -aspect 4:3 -ab "
            "128 -vol 200 -ac 2 -ar 44100 -ss 00:00:00 -t 95 \"/out/party.mp4\"",
            true, false, "mp4", 2, 44100, 200, 0, 95},
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -vcodec mpeg4 -acodec aac -b 128 -s 160x120 -r 15 -aspect 4:3 -ab "
            "128 -vol 200 -ac 2 -ar 44100 -f 3gp -ss 00:00:10 -t 30 \"/out/party.3gp\"",
            true, false, "3gp", 2, 44100, 200, 10, 30},
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -acodec amr_nb -s 160x120 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000 "
            "-f 3gp -ss 00:00:00 -t 95 \"/out/party.3gp\"",
            false, true, "3gp", 1, 8000, 200, 0, 95},
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -vcodec mpeg4 -acodec aac -b 128 -s 160x120 -r 15 -aspect 4:3 -ab "
            "128 -vol 200 -ac 1 -ar 22050 -f 3g2 -ss 01:02:03 -t 95 \"/out/party.3g2\"",
            true, false, "3g2", 1, 22050, 200, 3723, 95},
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -acodec amr_nb -s 160x120 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000 "
            "-f 3g2 -ss 00:00:00 -t -5 \"/out/party.3g2\"",
            false, true, "3g2", 1, 8000, 200, 0, -5},
        // the volume list without a selection leaves "-vol" with two blanks and no value
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -vcodec mpeg4 -acodec aac -b 128 -s 160x120 -r 15 -aspect 4:3 -ab "
            "128 -vol  -ac 2 -ar 44100 \"/out/party.mp4\"",
            true, false, "mp4", 2, 44100, 256, 0, -1e9},
        TLineCase{
            "-y -i \"/src/-party \\\"x\\\".wmv\" -acodec amr_nb -s 160x120 -b 128 -ab 128 -vol  -ac 1 -ar 8000 -f "
            "3gp -ss 00:00:00 -t 0 \"/out/party.3gp\"",
            false, true, "3gp", 1, 8000, 256, 0, 0}),
    [](const auto& caseInfo) { return "Line" + std::to_string(caseInfo.index); });

TEST(ToolOptions, SplitterKeepsQuotedMarks)
{
    // guards the helper the table relies on
    EXPECT_EQ(SplitLine(cstIn)[1], "/src/-party \"x\".wmv");
}

TEST(ToolOptions, VolumeLastBeforeTheOutputKeepsTheLevel)
{
    auto result = Parse("-y -i in.avi -vcodec mpeg4 -acodec aac -vol \"/out/x.mp4\"");
    ASSERT_TRUE(std::holds_alternative<TToolOptions>(result));
    EXPECT_EQ(std::get<TToolOptions>(result).Volume, 256);
    EXPECT_EQ(std::get<TToolOptions>(result).OutputPath, "/out/x.mp4");
}

TEST(ToolOptions, OutputPathMayBeginWithADash)
{
    auto result = Parse("-y -i in.avi -vcodec mpeg4 -acodec aac \"-out.mp4\"");
    ASSERT_TRUE(std::holds_alternative<TToolOptions>(result));
    EXPECT_EQ(std::get<TToolOptions>(result).OutputPath, "-out.mp4");
}

TEST(ToolOptions, HelpIsOfferedAndDocumentsBlankValues)
{
    EXPECT_TRUE(std::holds_alternative<THelpRequest>(Parse("--help")));
    std::string help = ToolHelpText("favc");
    EXPECT_NE(help.find("-vol -ac 2"), std::string::npos);
    EXPECT_NE(help.find("10000000000"), std::string::npos);
}

struct TBadCase
{
    const char* Line;
    const char* Option;
    const char* Value;
};

class ToolOptionsBad : public ::testing::TestWithParam<TBadCase>
{
};

TEST_P(ToolOptionsBad, NamesTheOptionAndTheValue)
{
    const TBadCase& c = GetParam();
    TParseResult result = Parse(c.Line);
    ASSERT_TRUE(std::holds_alternative<TOptionError>(result)) << c.Line;
    const auto& error = std::get<TOptionError>(result);
    EXPECT_EQ(error.Option, c.Option);
    EXPECT_EQ(error.Value, c.Value);
    std::string line = DescribeOptionError("favc", error);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find(c.Option), std::string::npos);
    EXPECT_NE(line.find(c.Value), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, ToolOptionsBad,
    ::testing::Values(
        TBadCase{"-y -i a.avi -q 5 o.mp4", "-q", "5"}, TBadCase{"-y -i a.avi -vcodec h264 o.mp4", "-vcodec", "h264"},
        TBadCase{"-y -i a.avi -acodec mp3 o.mp4", "-acodec", "mp3"}, TBadCase{"-y -i a.avi -b 12x o.mp4", "-b", "12x"},
        TBadCase{"-y -i a.avi -b 0 o.mp4", "-b", "0"}, TBadCase{"-y -i a.avi -s 160 o.mp4", "-s", "160"},
        TBadCase{"-y -i a.avi -s 160x0 o.mp4", "-s", "160x0"},
        TBadCase{"-y -i a.avi -s 99999x120 o.mp4", "-s", "99999x120"},
        TBadCase{"-y -i a.avi -r fast o.mp4", "-r", "fast"}, TBadCase{"-y -i a.avi -r 0 o.mp4", "-r", "0"},
        TBadCase{"-y -i a.avi -r nan o.mp4", "-r", "nan"}, TBadCase{"-y -i a.avi -aspect 4/3 o.mp4", "-aspect", "4/3"},
        TBadCase{"-y -i a.avi -ab -3 o.mp4", "-ab", "-3"}, TBadCase{"-y -i a.avi -vol loud o.mp4", "-vol", "loud"},
        TBadCase{"-y -i a.avi -ac 3 o.mp4", "-ac", "3"}, TBadCase{"-y -i a.avi -ar 44.1 o.mp4", "-ar", "44.1"},
        TBadCase{"-y -i a.avi -f avi o.mp4", "-f", "avi"},
        TBadCase{"-y -i a.avi -ss 00:61:00 o.mp4", "-ss", "00:61:00"},
        TBadCase{"-y -i a.avi -ss 1:2:3:4 o.mp4", "-ss", "1:2:3:4"},
        TBadCase{"-y -i a.avi -ss -00:00:01 o.mp4", "-ss", "-00:00:01"},
        TBadCase{"-y -i a.avi -t 5s o.mp4", "-t", "5s"}, TBadCase{"-y -i a.avi -t 1e99 o.mp4", "-t", "1e99"},
        TBadCase{"-y -i a.avi -acodec amr_nb -ac 1 -ar 8000 o.mp4", "-acodec", "amr_nb"},
        TBadCase{"-y -i a.avi -acodec amr_nb -ac 2 -ar 8000 -f 3gp o.3gp", "-ac", "2"},
        TBadCase{"-y -i a.avi -acodec amr_nb -ac 1 -ar 44100 -f 3gp o.3gp", "-ar", "44100"},
        TBadCase{"-y -i a.avi o.mkv", "output", "o.mkv"}, TBadCase{"-y -vcodec mpeg4 o.mp4", "-i", ""},
        TBadCase{"-y -i o.mp4", "-i", ""}),
    [](const auto& caseInfo) { return "Case" + std::to_string(caseInfo.index); });

struct TScriptCase
{
    const char* Text;
    const char* Path; // nullptr: the script is refused
};

class ScriptLines : public ::testing::TestWithParam<TScriptCase>
{
};

TEST_P(ScriptLines, ReadsThePathBetweenTheMarks)
{
    const TScriptCase& c = GetParam();
    TScriptResult result = ParseScriptText(c.Text);
    if (c.Path) {
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << std::get<TScriptError>(result).Reason;
        EXPECT_EQ(std::get<std::string>(result), c.Path);
    } else {
        ASSERT_TRUE(std::holds_alternative<TScriptError>(result)) << c.Text;
        EXPECT_FALSE(std::get<TScriptError>(result).Reason.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Script, ScriptLines,
    ::testing::Values(TScriptCase{"DirectShowSource(\"/clips/show.rmvb\", fps=29.9700898503294, convertfps=true)\r\n",
                                  "/clips/show.rmvb"},
                      TScriptCase{
                          "DirectShowSource(\"/clips/say \"hi\".rm\", fps=29.9700898503294, convertfps=true)\r\n",
                          "/clips/say \"hi\".rm"},
                      TScriptCase{"DirectShowSource(\"/clips/a, fps=b\".rm\", fps=29.9700898503294, convertfps=true)",
                                  "/clips/a, fps=b\".rm"},
                      TScriptCase{"DirectShowSource(\"/clips/(\"odd\").rm\", fps=29.9700898503294, convertfps=true)\n",
                                  "/clips/(\"odd\").rm"},
                      TScriptCase{"", nullptr},
                      TScriptCase{"DirectShowSource(/clips/a.rm, fps=29.97, convertfps=true)", nullptr},
                      TScriptCase{"DirectShowSource(\"/clips/a.rm\")", nullptr},
                      TScriptCase{"DirectShowSource(\"\", fps=29.9700898503294, convertfps=true)", nullptr},
                      TScriptCase{"DirectShowSource(\"/clips/a.rm, fps=29.97, convertfps=true)", nullptr},
                      TScriptCase{"Import(\"/clips/a.rm\", fps=29.9700898503294)", nullptr}),
    [](const auto& caseInfo) { return "Script" + std::to_string(caseInfo.index); });

struct TReadCase
{
    const char* Codec;
    const char* Extension;
};

class ProgressReadings : public ::testing::TestWithParam<TReadCase>
{
};

TEST_P(ProgressReadings, EveryOutputTypeReadsTheElapsedSeconds)
{
    const TReadCase& c = GetParam();
    EXPECT_EQ(ReadProgressSeconds(FormatProgressLine(75, 3.0, 48000), c.Codec, c.Extension), 3);
    EXPECT_EQ(ReadProgressSeconds(FormatProgressLine(0, 123.99, 1 << 30), c.Codec, c.Extension), 123);
    EXPECT_EQ(ReadProgressSeconds(FormatProgressLine(99999, 0.4, 0), c.Codec, c.Extension), 0);
    EXPECT_EQ(ReadProgressSeconds(FormatProgressLine(0, std::nullopt, 0), c.Codec, c.Extension), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Types, ProgressReadings,
                         ::testing::Values(TReadCase{"-vcodec mpeg4 -acodec aac", ".mp4"},
                                           TReadCase{"-vcodec mpeg4 -acodec aac", ".3gp"},
                                           TReadCase{"-vcodec mpeg4 -acodec aac", ".3g2"},
                                           TReadCase{"-acodec amr_nb", ".3gp"}, TReadCase{"-acodec amr_nb", ".3g2"},
                                           TReadCase{"-acodec aac", ".mp4"}),
                         [](const auto& caseInfo) { return "Type" + std::to_string(caseInfo.index); });

TEST(ProgressLine, EndsInCarriageReturnWithoutLineFeed)
{
    std::string line = FormatProgressLine(12, 1.5, 2048);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.find('\r'), line.size() - 1);
}

} // namespace
