#include "ProgressReading.h"

std::optional<long long> ReadProgressSeconds(const std::string& chunk, const std::string& codecString,
                                             const std::string& extension)
{
    std::vector<std::string> fields;
    size_t from = 0;
    while (true) {
        size_t at = chunk.find('=', from);
        fields.push_back(chunk.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) {
            break;
        }
        from = at + 1;
    }
    const bool audioShape = codecString.rfind("-acodec", 0) == 0 && extension != ".3gp";
    const size_t index = audioShape ? 2 : 4;
    if (fields.size() <= index) {
        return std::nullopt;
    }
    std::string piece = fields[index].substr(0, fields[index].find('.'));
    if (piece.empty() || piece == "10000000000") {
        return std::nullopt;
    }
    // lenient like the window: whatever is not a digit or a sign is dropped
    std::string digits;
    for (char c : piece) {
        if ((c >= '0' && c <= '9') || (c == '-' && digits.empty())) {
            digits += c;
        }
    }
    if (digits.empty() || digits == "-") {
        return 0;
    }
    return std::stoll(digits);
}

std::vector<std::string> SplitProgressLines(const std::string& output)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < output.size()) {
        size_t at = output.find('\r', from);
        if (at == std::string::npos) {
            lines.push_back(output.substr(from));
            break;
        }
        lines.push_back(output.substr(from, at - from));
        from = at + 1;
    }
    return lines;
}
