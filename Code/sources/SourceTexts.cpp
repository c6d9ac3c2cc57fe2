#include "SourceTexts.h"

#include "StrFunc.h"

#include <QLocale>
#include <cmath>

QString SizeToText(std::int64_t bytes)
{
    constexpr std::int64_t cstGiga = std::int64_t(1) << 30;
    if (bytes < 0)
        bytes = 0;
    double value = static_cast<double>(bytes);
    const char* unit = " B";
    if (bytes < cstGiga) {
        static const char* const units[] = {" KB", " MB", " GB"};
        for (const char* next : units) {
            if (value < 1024)
                break;
            value /= 1024;
            unit = next;
        }
    } else {
        value = value / 1024 / 1024 / 1024;
        unit = " GB";
    }
    value = std::trunc(value * 100) / 100;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15) + QLatin1String(unit);
}

namespace {

QString TwoDigits(std::int64_t value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString SecondsToText(std::int64_t seconds)
{
    if (seconds < 0)
        return QStringLiteral("00:00:00");
    // Whole seconds divide exactly as their milliseconds would, without the overflow.
    return TwoDigits(seconds / 3600) + QLatin1Char(':') + TwoDigits(seconds % 3600 / 60) + QLatin1Char(':') +
           TwoDigits(seconds % 60);
}

std::int64_t FixedTimeTextToSeconds(const QString& text)
{
    const std::int64_t hours = StrToInt(text.mid(0, 2));
    const std::int64_t minutes = StrToInt(text.mid(3, 2));
    const std::int64_t seconds = StrToInt(text.mid(6, 2));
    return hours * 3600 + minutes * 60 + seconds;
}
