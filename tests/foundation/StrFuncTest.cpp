#include "StrFunc.h"
#include "Errors.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(SplitString, PartsAsDelimitersLeaveThem)
{
    struct TCase
    {
        const char* Text;
        char Delimiter;
        QStringList Parts;
    };
    const TCase cases[] = {
        {"00:01:05", ':', {"00", "01", "05"}},
        {"a::b", ':', {"a", "", "b"}},
        {":a", ':', {"", "a"}},
        {"a:b:", ':', {"a", "b"}},
        {":", ':', {""}},
        {"", ':', {}},
        {"abc", ':', {"abc"}},
        {"4|1|3|5|1|2", '|', {"4", "1", "3", "5", "1", "2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitString(QString::fromLatin1(c.Text), QLatin1Char(c.Delimiter)), c.Parts) << c.Text;
}

TEST(StrToNumber, KeepsDigitsOnePointAndALeadingSign)
{
    struct TCase
    {
        const char* Text;
        double Value;
    };
    const TCase cases[] = {
        {"", 0},
        {"-", 0},
        {"+", 0},
        {" ", 0},
        {"abc", 0},
        {"7", 7},
        {"-5", -5},
        {"5-", 5},
        {"+-5", 5},
        {"-+5", -5},
        {"--5", -5},
        {"5-3", 53},
        {"1.2.3", 1.23},
        {"12:34", 1234},
        {"1,5", 15},
        {"95.20 s", 95.2},
        {"10000000000", 1e10},
        {".5", 0.5},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(StrToNumber(QString::fromLatin1(c.Text)), c.Value) << c.Text;
}

TEST(StrToNumber, FailsWhereNothingNumericIsLeft)
{
    for (const char* text : {".", "-.", "+.", "x.y"})
        EXPECT_THROW(StrToNumber(QString::fromLatin1(text)), EConvertError) << text;
    try {
        StrToNumber(QStringLiteral("."));
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'.' is not a valid floating point value"));
    }
}

TEST(StrToNumber, APointIsNoSeparatorWhereTheUserWritesCommas)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_THROW(StrToNumber(QStringLiteral("1.5")), EConvertError);
    EXPECT_DOUBLE_EQ(StrToNumber(QStringLiteral("15")), 15);
    QLocale::setDefault(saved);
}

TEST(TextAfterLast, TakesThePartAfterTheLastDelimiter)
{
    EXPECT_EQ(TStrFunc::TextAfterLast(QStringLiteral("a.b.c"), QLatin1Char('.')), QStringLiteral("c"));
    EXPECT_EQ(TStrFunc::TextAfterLast(QStringLiteral("abc"), QLatin1Char('.')), QStringLiteral("abc"));
    EXPECT_EQ(TStrFunc::TextAfterLast(QStringLiteral("abc."), QLatin1Char('.')), QString());
}

TEST(StrToInt, ReadsDecimalAndDollarHexOnly)
{
    int v = 0;
    EXPECT_TRUE(TryStrToInt(QStringLiteral("-5"), v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(TryStrToInt(QStringLiteral("$1F"), v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(TryStrToInt(QStringLiteral("-2147483648"), v));
    EXPECT_EQ(v, -2147483647 - 1);
    for (const char* bad : {"", "12abc", "0x10", "$", "+", "2147483648", " 5", "1.0"})
        EXPECT_FALSE(TryStrToInt(QString::fromLatin1(bad), v)) << bad;
    EXPECT_THROW(StrToInt(QStringLiteral("1a")), EConvertError);
}
