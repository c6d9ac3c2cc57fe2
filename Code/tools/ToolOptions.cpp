#include "ToolOptions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numeric>

namespace {

constexpr std::array<std::string_view, 16> cstOptionNames = {"-y", "-i",      "-vcodec", "-acodec", "-b",  "-s",
                                                             "-r", "-aspect", "-ab",     "-vol",    "-ac", "-ar",
                                                             "-f", "-ss",     "-t",      "-h"};

bool IsOptionName(std::string_view token)
{
    for (auto name : cstOptionNames) {
        if (token == name) {
            return true;
        }
    }
    return token == "--help";
}

std::optional<long long> ParseWhole(std::string_view text)
{
    long long value = 0;
    if (text.empty()) {
        return std::nullopt;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    double value = 0;
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back())))) {
        return std::nullopt;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseRange(std::string_view text, long long low, long long high)
{
    auto value = ParseWhole(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// Two whole numbers around one separator, as in "320x240" or "16:9".
std::optional<std::pair<int, int>> ParsePair(std::string_view text, char separator, long long high)
{
    auto at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    auto first = ParseRange(text.substr(0, at), 1, high);
    auto second = ParseRange(text.substr(at + 1), 1, high);
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair{*first, *second};
}

// hh:mm:ss as the program writes it; also mm:ss and plain seconds, each with an optional fraction.
std::optional<double> ParseClock(std::string_view text)
{
    std::array<std::string_view, 3> parts;
    size_t count = 0;
    size_t from = 0;
    while (true) {
        auto at = text.find(':', from);
        if (count == parts.size()) {
            return std::nullopt;
        }
        parts[count++] = text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from);
        if (at == std::string_view::npos) {
            break;
        }
        from = at + 1;
    }
    double total = 0;
    for (size_t k = 0; k < count; ++k) {
        bool last = k + 1 == count;
        if (parts[k].empty() || parts[k].front() == '-' || parts[k].front() == '+') {
            return std::nullopt;
        }
        std::optional<double> value;
        if (last) {
            value = ParseDecimal(parts[k]);
        } else if (auto whole = ParseRange(parts[k], 0, 99999999)) {
            value = *whole;
        }
        if (!value) {
            return std::nullopt;
        }
        // below the leading field, minutes and seconds stay under 60
        if (k > 0 && *value >= 60) {
            return std::nullopt;
        }
        total = total * 60 + *value;
    }
    return total;
}

std::optional<std::pair<int, int>> ParseFrameRate(std::string_view text)
{
    if (auto slash = text.find('/'); slash != std::string_view::npos) {
        auto num = ParseRange(text.substr(0, slash), 1, 1000000);
        auto den = ParseRange(text.substr(slash + 1), 1, 1000000);
        if (!num || !den || *num > 1000LL * *den) {
            return std::nullopt;
        }
        int common = std::gcd(*num, *den);
        return std::pair{*num / common, *den / common};
    }
    auto value = ParseDecimal(text);
    if (!value || *value <= 0 || *value > 1000) {
        return std::nullopt;
    }
    // whole rates stay exact; a decimal rate is kept to a thousandth
    int den = std::floor(*value) == *value ? 1 : 1000;
    int num = static_cast<int>(std::lround(*value * den));
    if (num <= 0) {
        return std::nullopt;
    }
    int common = std::gcd(num, den);
    return std::pair{num / common, den / common};
}

std::string ContainerFromExtension(std::string_view path)
{
    auto dot = path.rfind('.');
    auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string ext;
    for (char c : path.substr(dot + 1)) {
        ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (ext == "mp4" || ext == "m4v") {
        return "mp4";
    }
    if (ext == "3gp" || ext == "3g2") {
        return ext;
    }
    return {};
}

} // namespace

TParseResult ParseToolArguments(const std::vector<std::string_view>& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        return THelpRequest{};
    }
    if (args.empty()) {
        return TOptionError{"", "", "no arguments; the input (-i) and the output path are needed"};
    }

    TToolOptions options;
    options.OutputPath = std::string(args.back());
    if (options.OutputPath.empty()) {
        return TOptionError{"output", "", "the output path is empty"};
    }
    bool inputGiven = false;
    bool videoCodecGiven = false;
    bool audioCodecGiven = false;
    std::string formatWord;

    const size_t optionEnd = args.size() - 1;
    for (size_t k = 0; k < optionEnd; ++k) {
        std::string_view option = args[k];
        if (option == "-y") {
            options.Overwrite = true;
            continue;
        }
        if (option == "--help" || option == "-h") {
            return THelpRequest{};
        }
        if (!IsOptionName(option)) {
            std::string_view next = k + 1 < optionEnd ? args[k + 1] : std::string_view{};
            return TOptionError{std::string(option), std::string(next), "unknown option"};
        }
        // A value left blank by the caller shows up as the next option (or nothing) directly after.
        std::optional<std::string_view> value;
        if (option == "-i") {
            if (k + 1 < optionEnd) {
                value = args[++k]; // the input path may begin with "-"
            }
        } else if (k + 1 < optionEnd && !IsOptionName(args[k + 1])) {
            value = args[++k];
        }
        const std::string valueText(value.value_or(""));
        auto bad = [&](std::string reason) { return TOptionError{std::string(option), valueText, std::move(reason)}; };

        if (option == "-i") {
            if (!value || value->empty()) {
                return bad("the input path is missing");
            }
            options.InputPath = valueText;
            inputGiven = true;
        } else if (option == "-vcodec") {
            if (value != "mpeg4") {
                return bad("the only video codec is mpeg4");
            }
            videoCodecGiven = true;
        } else if (option == "-acodec") {
            if (value != "aac" && value != "amr_nb") {
                return bad("the audio codec is aac or amr_nb");
            }
            options.AudioAmrNb = value == "amr_nb";
            audioCodecGiven = true;
        } else if (!value) {
            continue; // a blank value keeps the default
        } else if (option == "-b") {
            auto kbps = ParseRange(*value, 1, 100000);
            if (!kbps) {
                return bad("expected a video bitrate in kbit/s, 1 to 100000");
            }
            options.VideoKbps = *kbps;
        } else if (option == "-s") {
            auto size = ParsePair(*value, 'x', 8192);
            if (!size) {
                return bad("expected WIDTHxHEIGHT, each 1 to 8192");
            }
            options.Width = size->first;
            options.Height = size->second;
        } else if (option == "-r") {
            auto rate = ParseFrameRate(*value);
            if (!rate) {
                return bad("expected a frame rate above 0 and up to 1000");
            }
            options.FrameRateNum = rate->first;
            options.FrameRateDen = rate->second;
        } else if (option == "-aspect") {
            auto aspect = ParsePair(*value, ':', 10000);
            if (!aspect) {
                return bad("expected W:H, for example 4:3");
            }
            options.AspectNum = aspect->first;
            options.AspectDen = aspect->second;
        } else if (option == "-ab") {
            auto kbps = ParseRange(*value, 1, 10000);
            if (!kbps) {
                return bad("expected an audio bitrate in kbit/s, 1 to 10000");
            }
            options.AudioKbps = *kbps;
        } else if (option == "-vol") {
            auto volume = ParseRange(*value, 0, 100000);
            if (!volume) {
                return bad("expected a volume level from 0 (256 keeps the level)");
            }
            options.Volume = *volume;
        } else if (option == "-ac") {
            auto channels = ParseRange(*value, 1, 2);
            if (!channels) {
                return bad("expected 1 or 2 channels");
            }
            options.Channels = *channels;
        } else if (option == "-ar") {
            auto rate = ParseRange(*value, 8000, 96000);
            if (!rate) {
                return bad("expected a sample rate in Hz, 8000 to 96000");
            }
            options.SampleRate = *rate;
        } else if (option == "-f") {
            if (value != "3gp" && value != "3g2" && value != "mp4") {
                return bad("the container is 3gp, 3g2 or mp4");
            }
            formatWord = valueText;
        } else if (option == "-ss") {
            auto start = ParseClock(*value);
            if (!start || *start > 1e9) {
                return bad("expected a start time hh:mm:ss");
            }
            options.StartSeconds = *start;
        } else if (option == "-t") {
            auto length = ParseDecimal(*value);
            if (!length || std::fabs(*length) > 1e9) {
                return bad("expected a length in seconds");
            }
            options.LengthSeconds = *length;
        }
    }

    if (!inputGiven) {
        return TOptionError{"-i", "", "no input given"};
    }
    options.CodecsGiven = videoCodecGiven || audioCodecGiven;
    // "-acodec amr_nb" alone is the audio-only type; with no codec named the video type is meant.
    options.VideoWanted = videoCodecGiven || !audioCodecGiven;
    options.Container = formatWord.empty() ? ContainerFromExtension(options.OutputPath) : formatWord;
    if (options.Container.empty()) {
        return TOptionError{"output", options.OutputPath,
                            "cannot tell the container: give -f 3gp|3g2|mp4 or end the name in .mp4, .3gp or .3g2"};
    }
    if (options.AudioAmrNb) {
        if (options.Container == "mp4") {
            return TOptionError{"-acodec", "amr_nb", "AMR-NB audio cannot go into an MP4 file; use -f 3gp or -f 3g2"};
        }
        if (options.Channels != 1) {
            return TOptionError{"-ac", std::to_string(options.Channels), "AMR-NB is mono only (-ac 1)"};
        }
        if (options.SampleRate != 8000) {
            return TOptionError{"-ar", std::to_string(options.SampleRate), "AMR-NB is 8000 Hz only (-ar 8000)"};
        }
    }
    return options;
}

std::string DescribeOptionError(std::string_view toolName, const TOptionError& error)
{
    std::string line(toolName);
    line += ": ";
    if (error.Option.empty()) {
        line += error.Reason;
        return line;
    }
    line += "option '" + error.Option + "' value '" + error.Value + "': " + error.Reason;
    return line;
}

std::string ToolHelpText(std::string_view toolName)
{
    std::string name(toolName);
    std::string input = name == "ravc" ? "SCRIPT.avs" : "INPUT";
    std::string text = "usage: " + name + " [-y] -i " + input + " [options] OUTPUT\n";
    if (name == "ravc") {
        text += "  The input is a one-line script: DirectShowSource(\"path\", fps=29.9700898503294, convertfps=true).\n"
                "  The source it names is decoded at a constant 30000/1001 frames per second.\n";
    }
    text += R"(  Converts to MPEG-4 video with AAC audio, or to AMR-NB audio only, in an MP4, 3GP or 3G2 file.
  The output path is always the last argument; the input path follows -i and may begin with "-".

  -y              replace an existing output file (without it an existing file is an error)
  -vcodec mpeg4   MPEG-4 Part 2 video (the video types)
  -acodec aac     AAC audio; amr_nb alone gives AMR-NB audio only, 8000 Hz mono, 3gp or 3g2
  -b KBPS         video bitrate in kbit/s                      default 512
  -s WxH          video size, rounded down to even numbers     default 320x240
  -r FPS          frame rate, whole, decimal or N/D             default 25
  -aspect W:H     display aspect ratio                          default 4:3
  -ab KBPS        audio bitrate in kbit/s; for AMR-NB the nearest mode, 12.2 at most   default 64
  -vol N          volume, 256 keeps the level, 512 doubles it, 0 is silence            default 256
  -ac 1|2         audio channels                                default 2
  -ar HZ          audio sample rate                             default 44100
  -f 3gp|3g2|mp4  container; without it the output's extension decides (.mp4, .m4v, .3gp, .3g2)
  -ss hh:mm:ss    start of the part to convert (the input is seeked, not decoded from the start)
  -t SECONDS      length of the output; 0 or less converts nothing and is an error

  An option whose value is left blank (the next argument is another option, or the output path)
  keeps its default: "-vol -ac 2" converts at unchanged volume. -i, -vcodec and -acodec need a value.
  Progress: one line on stdout about every 0.5 s, ended by "\r":
    frame=N time=SECONDS size=KBkB time=SECONDS bitrate=KBITSkbits/s
  SECONDS count from the start of the part and read 10000000000.00 until known.
  Exit status: 0 when the output is complete, 2 for a bad command line or script, 1 when the
  conversion fails (one reason line on stderr; an incomplete output is removed).
)";
    return text;
}
