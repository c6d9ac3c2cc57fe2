#include "ProgressLine.h"

#include <algorithm>
#include <array>
#include <cstdio>

std::string FormatProgressLine(int64_t frames, std::optional<double> seconds, int64_t bytes)
{
    // the program's own "not known yet" value
    const double shown = seconds.value_or(10000000000.0);
    const double kbits = seconds && *seconds > 0 ? static_cast<double>(bytes) * 8 / 1000 / *seconds : 0;
    std::array<char, 160> line{};
    int length =
        std::snprintf(line.data(), line.size(), "frame=%5lld time=%.2f size=%8.0fkB time=%.2f bitrate=%6.1fkbits/s\r",
                      static_cast<long long>(frames), shown, static_cast<double>(bytes) / 1024, shown, kbits);
    if (length < 0) {
        return {};
    }
    return std::string(line.data(), std::min<size_t>(static_cast<size_t>(length), line.size() - 1));
}
