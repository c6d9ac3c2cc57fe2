#include "AppFunc.h"
#include "Errors.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(WriteLog, CreatesTheLogAndAppendsOneLinePerCall)
{
    TTempProgramFolder program;
    FakePlatform().SetNow(QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)));
    TAppFunc app;
    app.WriteLog(QStringLiteral("first"));
    const QLocale locale;
    const QDateTime now = FakePlatform().Now();
    const QString stamp = QStringLiteral("Brenwick ") + locale.toString(now.date(), QLocale::ShortFormat) +
                          QLatin1Char(' ') + locale.toString(now.time(), QLocale::LongFormat) + QLatin1Char('|');
    EXPECT_EQ(ReadFileBytes(program.Path() + "log.txt"), (stamp + "first\r\n").toUtf8());
    app.WriteLog(QStringLiteral("second ünïcode"));
    const QByteArray log = ReadFileBytes(program.Path() + "log.txt");
    EXPECT_EQ(log.count("\r\n"), 2);
    EXPECT_TRUE(log.endsWith(QStringLiteral("|second ünïcode\r\n").toUtf8()));
}

TEST(WriteLog, AnUnwritableLogIsAFileError)
{
    TTempProgramFolder program;
    // A program folder path that runs through a regular file cannot hold a log.
    WriteFileBytes(program.Path() + "plain", "x");
    FakePlatform().SetProgramFolder(program.Path() + "plain/");
    TAppFunc app;
    EXPECT_THROW(app.WriteLog(QStringLiteral("lost")), EFileError);
}
