#include "ScriptFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr std::string_view cstOpen = "(\"";
constexpr std::string_view cstRateMark = ", fps=";
// The program writes a single short line; anything far larger is not one of its scripts.
constexpr size_t cstMaxScriptBytes = 64 * 1024;

} // namespace

TScriptResult ParseScriptText(std::string_view text)
{
    // one line: the first line ending (CRLF as written, or LF) closes it
    if (auto end = text.find_first_of("\r\n"); end != std::string_view::npos) {
        text = text.substr(0, end);
    }
    if (text.find("DirectShowSource") == std::string_view::npos) {
        return TScriptError{"the script does not call DirectShowSource"};
    }
    auto open = text.find(cstOpen);
    if (open == std::string_view::npos) {
        return TScriptError{"the script has no '(\"' before the source path"};
    }
    auto rate = text.rfind(cstRateMark);
    if (rate == std::string_view::npos || rate < open + cstOpen.size()) {
        return TScriptError{"the script has no ', fps=' after the source path"};
    }
    auto close = text.substr(0, rate).rfind('"');
    if (close == std::string_view::npos || close < open + cstOpen.size()) {
        return TScriptError{"the script's source path is not closed by '\"'"};
    }
    auto path = text.substr(open + cstOpen.size(), close - open - cstOpen.size());
    if (path.empty()) {
        return TScriptError{"the script names an empty source path"};
    }
    if (path.find('\0') != std::string_view::npos) {
        return TScriptError{"the script's source path holds a NUL byte"};
    }
    return std::string(path);
}

TScriptResult ReadScriptFile(const std::string& scriptPath)
{
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
        return TScriptError{"cannot read the script " + scriptPath + ": " + std::strerror(errno)};
    }
    std::string text;
    text.resize(cstMaxScriptBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > cstMaxScriptBytes) {
        return TScriptError{"the script " + scriptPath + " is too large to be a source script"};
    }
    return ParseScriptText(text);
}
