#pragma once

#include <string>
#include <string_view>
#include <variant>

// The source path named in ravc's one-line script, or why the script could not be read.
struct TScriptError
{
    std::string Reason;
};

using TScriptResult = std::variant<std::string, TScriptError>;

// DirectShowSource("path", fps=29.9700898503294, convertfps=true): the path runs from the first
// '("' to the last '"' before ", fps=", so it may itself hold quotation marks.
TScriptResult ParseScriptText(std::string_view text);

TScriptResult ReadScriptFile(const std::string& scriptPath);
