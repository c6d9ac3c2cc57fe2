#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What one run of favc or ravc is asked to do, after the command line has been checked.
struct TToolOptions
{
    std::string InputPath;
    std::string OutputPath;
    bool Overwrite = false;

    bool VideoWanted = true;  // -vcodec mpeg4
    bool AudioAmrNb = false;  // -acodec amr_nb instead of aac
    bool CodecsGiven = false; // any -vcodec or -acodec on the line
    int VideoKbps = 512;      // -b
    int Width = 320;          // -s
    int Height = 240;
    int FrameRateNum = 25; // -r, as a fraction
    int FrameRateDen = 1;
    int AspectNum = 4; // -aspect
    int AspectDen = 3;
    int AudioKbps = 64;                  // -ab
    int Volume = 256;                    // -vol, 256 keeps the level
    int Channels = 2;                    // -ac
    int SampleRate = 44100;              // -ar
    std::string Container;               // "mp4", "3gp" or "3g2"; from -f or the output's extension
    double StartSeconds = 0;             // -ss
    std::optional<double> LengthSeconds; // -t; none converts to the end
};

// A command line the tool refuses: the option and the value it was given, and why.
struct TOptionError
{
    std::string Option;
    std::string Value;
    std::string Reason;
};

struct THelpRequest
{
};

using TParseResult = std::variant<TToolOptions, TOptionError, THelpRequest>;

// Reads the arguments after the program name. The output path is always the last argument.
TParseResult ParseToolArguments(const std::vector<std::string_view>& args);

// One line for stderr, naming the option and the value.
std::string DescribeOptionError(std::string_view toolName, const TOptionError& error);

std::string ToolHelpText(std::string_view toolName);
