#include "ToolMain.h"

#include "ScriptFile.h"
#include "ToolOptions.h"
#include "Transcoder.h"

#include <csignal>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr int cstBadCommandLine = 2;
constexpr int cstConversionFailed = 1;

void WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0) {
            return; // a reader that went away is no reason to stop converting
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
}

// The reason is exactly one line, whatever the paths in it hold.
void ReportFailure(std::string_view toolName, std::string_view reason)
{
    std::string line(toolName);
    line += ": ";
    for (char c : reason) {
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
    line += '\n';
    WriteAll(STDERR_FILENO, line);
}

} // namespace

int RunEncoderTool(std::string_view toolName, EToolInput input, int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    // the libraries' own messages would break up the progress lines
    av_log_set_level(AV_LOG_QUIET);

    std::vector<std::string_view> args(argv + 1, argv + argc);
    TParseResult parsed = ParseToolArguments(args);
    if (std::holds_alternative<THelpRequest>(parsed)) {
        WriteAll(STDOUT_FILENO, ToolHelpText(toolName));
        return 0;
    }
    if (const auto* error = std::get_if<TOptionError>(&parsed)) {
        std::string line = DescribeOptionError(toolName, *error);
        ReportFailure(toolName, line.substr(toolName.size() + 2));
        return cstBadCommandLine;
    }
    const auto& options = std::get<TToolOptions>(parsed);

    std::string source = options.InputPath;
    if (input == EToolInput::SourceScript) {
        TScriptResult script = ReadScriptFile(options.InputPath);
        if (const auto* error = std::get_if<TScriptError>(&script)) {
            ReportFailure(toolName, error->Reason);
            return cstBadCommandLine;
        }
        source = std::get<std::string>(script);
    }

    TProgressWriter progress = [](const std::string& line) { WriteAll(STDOUT_FILENO, line); };
    TTranscodeResult result = Transcode(options, source, input == EToolInput::SourceScript, progress);
    if (result.ExitCode != 0) {
        ReportFailure(toolName, result.Reason);
        return cstConversionFailed;
    }
    return 0;
}
