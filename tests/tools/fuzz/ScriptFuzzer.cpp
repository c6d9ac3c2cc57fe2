// libFuzzer target: ravc's one-line script reader.
#include "ScriptFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TScriptResult result = ParseScriptText(text);
    if (const auto* path = std::get_if<std::string>(&result)) {
        // the path is a piece of the first line, right after the first '("', and a '"' follows it
        std::string_view line = text.substr(0, text.find_first_of("\r\n"));
        size_t open = line.find("(\"");
        if (path->empty() || open == std::string_view::npos || line.substr(open + 2, path->size()) != *path ||
            line.size() <= open + 2 + path->size() || line[open + 2 + path->size()] != '"' ||
            path->find('\0') != std::string::npos) {
            __builtin_trap();
        }
    } else if (std::get<TScriptError>(result).Reason.empty()) {
        __builtin_trap();
    }
    return 0;
}
