#pragma once

#include "ToolOptions.h"

#include <functional>
#include <string>

struct TTranscodeResult
{
    int ExitCode = 0;   // 0 only when the output file is complete
    std::string Reason; // one line when it failed
};

using TProgressWriter = std::function<void(const std::string& line)>;

// Converts sourcePath as the options say. constantRateInput makes the source's video a constant
// 30000/1001 frames per second before the output's own rate is applied (ravc's script input).
TTranscodeResult Transcode(const TToolOptions& options, const std::string& sourcePath, bool constantRateInput,
                           const TProgressWriter& progress);
