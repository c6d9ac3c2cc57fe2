// libFuzzer target: the tools' command-line parser. Arguments are the input split at NUL bytes.
#include "ToolOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    size_t from = 0;
    while (from <= text.size()) {
        size_t at = text.find('\0', from);
        if (at == std::string::npos) {
            at = text.size();
        }
        args.emplace_back(text.data() + from, at - from);
        from = at + 1;
    }
    if (!text.empty() && text.back() == '\0') {
        args.pop_back();
    }
    TParseResult result = ParseToolArguments(args);
    if (const auto* options = std::get_if<TToolOptions>(&result)) {
        // what the transcoder relies on after a successful parse
        if (options->OutputPath != args.back() || options->InputPath.empty() || options->Width < 1 ||
            options->Height < 1 || options->FrameRateNum < 1 || options->FrameRateDen < 1 || options->Channels < 1 ||
            options->Channels > 2 || options->SampleRate < 8000 || options->Volume < 0 || options->StartSeconds < 0 ||
            options->Container.empty() || (options->AudioAmrNb && options->Container == "mp4")) {
            __builtin_trap();
        }
    } else if (const auto* error = std::get_if<TOptionError>(&result)) {
        if (DescribeOptionError("favc", *error).empty() || error->Reason.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
