#include "CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The program token: quoted up to the next quote, or unquoted as described in the header.
qsizetype ReadProgram(const QString& line, qsizetype pos, QString& program, const TIsExecutable& isExecutable)
{
    if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
        const qsizetype end = close < 0 ? line.size() : close;
        program = line.mid(pos + 1, end - pos - 1);
        return close < 0 ? line.size() : close + 1;
    }
    qsizetype firstBlank = pos;
    while (firstBlank < line.size() && !IsBlank(line.at(firstBlank)))
        ++firstBlank;
    qsizetype best = firstBlank;
    for (qsizetype end = firstBlank; end <= line.size(); ++end) {
        if (end < line.size() && !IsBlank(line.at(end)))
            continue;
        if (isExecutable(line.mid(pos, end - pos)))
            best = end;
    }
    program = line.mid(pos, best - pos);
    return best;
}

} // namespace

QString QuoteArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted += QString(backslashes * 2 + 1, QLatin1Char('\\'));
            quoted += c;
        } else {
            quoted += QString(backslashes, QLatin1Char('\\'));
            quoted += c;
        }
        backslashes = 0;
    }
    quoted += QString(backslashes * 2, QLatin1Char('\\'));
    quoted += QLatin1Char('"');
    return quoted;
}

bool IsExecutableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray bytes = path.toUtf8();
    struct stat st
    {
    };
    return ::stat(bytes.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(bytes.constData(), X_OK) == 0;
}

QStringList SplitCommandLine(const QString& line, const TIsExecutable& isExecutable)
{
    QStringList args;
    qsizetype pos = 0;
    while (pos < line.size() && IsBlank(line.at(pos)))
        ++pos;
    if (pos >= line.size())
        return args;
    QString program;
    pos = ReadProgram(line, pos, program, isExecutable);
    args << program;

    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    while (pos < line.size()) {
        const QChar c = line.at(pos);
        if (IsBlank(c) && !inQuotes) {
            if (inArgument) {
                args << current;
                current.clear();
                inArgument = false;
            }
            ++pos;
            continue;
        }
        inArgument = true;
        if (c == QLatin1Char('\\')) {
            qsizetype count = 0;
            while (pos < line.size() && line.at(pos) == QLatin1Char('\\')) {
                ++count;
                ++pos;
            }
            if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
                current += QString(count / 2, QLatin1Char('\\'));
                if (count % 2 == 1) {
                    current += QLatin1Char('"');
                    ++pos;
                }
            } else {
                current += QString(count, QLatin1Char('\\'));
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (inQuotes && pos + 1 < line.size() && line.at(pos + 1) == QLatin1Char('"')) {
                current += QLatin1Char('"');
                pos += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++pos;
            continue;
        }
        current += c;
        ++pos;
    }
    if (inArgument)
        args << current;
    return args;
}
