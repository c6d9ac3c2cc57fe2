#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One progress line, ended by "\r". The program splits it at "=" and reads the seconds from
// field 4 for video and ".3gp" outputs and from field 2 for the other audio-only outputs, so
// the time stands in both places and every output type reads right:
//   frame=   75 time=3.00 size=      48kB time=3.00 bitrate= 131.1kbits/s
std::string FormatProgressLine(int64_t frames, std::optional<double> seconds, int64_t bytes);
