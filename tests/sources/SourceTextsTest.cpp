#include "SourceTexts.h"
#include "Errors.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct TSizeCase
{
    std::int64_t Bytes;
    const char* Text;
};

struct TSecondsCase
{
    std::int64_t Seconds;
    const char* Text;
};

// Runs with a locale and puts the default back afterwards.
class TLocaleScope
{
public:
    explicit TLocaleScope(const QLocale& locale) : FPrevious(QLocale()) { QLocale::setDefault(locale); }
    ~TLocaleScope() { QLocale::setDefault(FPrevious); }

private:
    QLocale FPrevious;
};

} // namespace

TEST(SizeToText, CutsToTwoDecimalsInTheLargestUnit)
{
    TLocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSizeCase cases[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1 KB"},
        {1536, "1.5 KB"},
        {1048575, "1023.99 KB"},
        {5000000, "4.76 MB"},
        {1073741823, "1023.99 MB"},
        {1073741824, "1 GB"},
        {3221225472, "3 GB"},
        {std::int64_t(1) << 40, "1024 GB"},
        {-5, "0 B"},
        {std::numeric_limits<std::int64_t>::min(), "0 B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeToText(c.Bytes).toStdString(), c.Text) << c.Bytes;
}

TEST(SizeToText, UsesTheUsersDecimalSeparatorWithoutGrouping)
{
    TLocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SizeToText(1536).toStdString(), "1,5 KB");
    EXPECT_EQ(SizeToText(5000000).toStdString(), "4,76 MB");
    EXPECT_EQ(SizeToText(1048575).toStdString(), "1023,99 KB");
    EXPECT_EQ(SizeToText(std::int64_t(5000) << 30).toStdString(), "5000 GB");
}

TEST(SecondsToText, PadsEachFieldToTwoDigits)
{
    const TSecondsCase cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {60, "00:01:00"},
        {3661, "01:01:01"},
        {86399, "23:59:59"},
        {359999, "99:59:59"},
        {360000, "100:00:00"},
        {-1, "00:00:00"},
        {std::numeric_limits<std::int64_t>::min(), "00:00:00"},
        {36000000, "10000:00:00"},
        {std::numeric_limits<std::int64_t>::max(), "2562047788015215:30:07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SecondsToText(c.Seconds).toStdString(), c.Text) << c.Seconds;
}

TEST(FixedTimeTextToSeconds, ReadsTwoDigitsAtFixedPlaces)
{
    EXPECT_EQ(FixedTimeTextToSeconds("00:00:00"), 0);
    EXPECT_EQ(FixedTimeTextToSeconds("01:02:03"), 3723);
    EXPECT_EQ(FixedTimeTextToSeconds("23:59:59"), 86399);
    for (const char* bad : {"100:00:00", "", "00:00", "aa:00:00", "00:0x:00"})
        EXPECT_THROW(FixedTimeTextToSeconds(QString::fromLatin1(bad)), EConvertError) << bad;
}
