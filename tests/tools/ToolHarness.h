#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One run of favc or ravc from the program folder of the build.
struct TToolRun
{
    bool Started = false;
    bool TimedOut = false;
    int ExitCode = -1;
    std::string Stdout;
    std::string Stderr;
    double Seconds = 0;
};

std::string ToolPath(const std::string& tool);
// childSetup runs in the child between fork and exec (limits, signal dispositions).
TToolRun RunTool(const std::string& tool, const std::vector<std::string>& args, int timeoutMs = 10000,
                 const std::function<void()>& childSetup = {});
// Any favc or ravc still running as a child of this test process.
bool ToolChildrenLeft();

// What libavformat and the decoders make of a file.
struct TMediaInfo
{
    bool Opened = false;
    std::string MajorBrand;
    int VideoStreams = 0;
    int AudioStreams = 0;
    std::string VideoCodec;
    std::string AudioCodec;
    int Width = 0;
    int Height = 0;
    double FrameRate = 0;
    int SampleRate = 0;
    int Channels = 0;
    int64_t VideoFrames = 0;
    int64_t AudioSamples = 0;
    double ContainerSeconds = 0;
    int DecodeErrors = 0;

    double VideoSeconds() const { return FrameRate > 0 ? static_cast<double>(VideoFrames) / FrameRate : 0; }
    double AudioSeconds() const { return SampleRate > 0 ? static_cast<double>(AudioSamples) / SampleRate : 0; }
};

TMediaInfo InspectMedia(const std::string& path);

// The first count video frames, each scaled to width x height in 8-bit grey.
std::vector<std::vector<uint8_t>> GreyFrames(const std::string& path, int width, int height, int count);
double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
