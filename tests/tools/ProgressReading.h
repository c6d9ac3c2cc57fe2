#pragma once

#include <optional>
#include <string>
#include <vector>

// How the progress window reads one chunk of encoder output: split at "=", field 4 (field 2
// for an "-acodec" codec string whose extension is not ".3gp"), text up to the first ".".
// Returns no value where the window would leave its bar alone.
std::optional<long long> ReadProgressSeconds(const std::string& chunk, const std::string& codecString,
                                             const std::string& extension);

// The lines of a tool's stdout, each ended by "\r".
std::vector<std::string> SplitProgressLines(const std::string& output);
