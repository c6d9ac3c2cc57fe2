#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// One-line command lines, written and read back by the Windows argument rules: quotes group
// words, backslashes escape a quote. Splitting a quoted argument gives back the exact text.

// The argument in quotation marks, escaped so that splitting returns it unchanged.
QString QuoteArgument(const QString& argument);

// Tells whether a path names an existing executable file.
using TIsExecutable = std::function<bool(const QString&)>;
bool IsExecutableFile(const QString& path);

// The argument vector of a command line. An unquoted first token may hold blanks: it runs to
// the longest prefix that names an existing executable, else to the first blank.
QStringList SplitCommandLine(const QString& line, const TIsExecutable& isExecutable = IsExecutableFile);
