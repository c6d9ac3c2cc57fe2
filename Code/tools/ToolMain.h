#pragma once

#include <string_view>

enum class EToolInput
{
    MediaFile,   // favc: -i names the source
    SourceScript // ravc: -i names the one-line DirectShowSource script
};

// The whole of favc and ravc: parse, convert, report. Returns the exit status.
int RunEncoderTool(std::string_view toolName, EToolInput input, int argc, char** argv);
