#include "AppFunc.h"

#include "Errors.h"
#include "Platform.h"

#include <QFile>
#include <QLocale>

void TAppFunc::WriteLog(const QString& message)
{
    const QString path = Platform().ProgramFolder() + QStringLiteral("log.txt");
    const QLocale locale;
    const QString date = locale.toString(Platform().Now().date(), QLocale::ShortFormat);
    const QString time = locale.toString(Platform().Now().time(), QLocale::LongFormat);
    const QByteArray line = (QStringLiteral("Brenwick ") + date + QLatin1Char(' ') + time + QLatin1Char('|') + message +
                             QStringLiteral("\r\n"))
                                .toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size() || !file.flush())
        throw EFileError(QStringLiteral("Cannot write the log \"%1\": %2").arg(path, file.errorString()));
}
