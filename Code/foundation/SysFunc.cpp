#include "SysFunc.h"

#include "Platform.h"

QString UpperAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}

std::int64_t TSysFunc::IsProcessRunning(const QString& exeName) const
{
    const QString wanted = UpperAscii(exeName);
    std::int64_t found = 0;
    for (const auto& p : Platform().Processes())
        if (UpperAscii(p.Name) == wanted)
            found = p.Pid;
    return found;
}
