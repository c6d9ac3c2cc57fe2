#include "EngineTestSupport.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

void WriteScript(const QString& path, const QByteArray& body)
{
    WriteFileBytes(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int OpenDescriptorCount()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

int LogLinesEndingWith(const QString& logPath, const QString& text)
{
    int count = 0;
    for (const QString& line : QString::fromUtf8(ReadFileBytes(logPath)).split(QStringLiteral("\r\n")))
        if (line.endsWith(QLatin1Char('|') + text))
            ++count;
    return count;
}

int LogLinesContaining(const QString& logPath, const QString& text)
{
    int count = 0;
    for (const QString& line : QString::fromUtf8(ReadFileBytes(logPath)).split(QStringLiteral("\r\n")))
        if (line.contains(text))
            ++count;
    return count;
}
