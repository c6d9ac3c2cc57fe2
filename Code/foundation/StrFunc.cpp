#include "StrFunc.h"

#include "Errors.h"

#include <QLocale>
#include <charconv>
#include <limits>

QString TStrFunc::TextAfterLast(const QString& text, QChar delimiter)
{
    const qsizetype at = text.lastIndexOf(delimiter);
    return at < 0 ? text : text.mid(at + 1);
}

QStringList SplitString(const QString& text, QChar delimiter)
{
    QStringList parts;
    if (text.isEmpty())
        return parts;
    qsizetype from = 0;
    qsizetype at;
    while ((at = text.indexOf(delimiter, from)) >= 0) {
        parts << text.mid(from, at - from);
        from = at + 1;
    }
    if (from < text.size())
        parts << text.mid(from);
    return parts;
}

namespace {

EConvertError NotAFloat(const QString& text)
{
    return EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

} // namespace

double StrToNumber(const QString& text)
{
    QString cleaned;
    bool point = false, plus = false, minus = false;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            cleaned += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            cleaned += c;
        } else if (c == QLatin1Char('+') && !plus) {
            plus = true;
            cleaned += c;
        } else if (c == QLatin1Char('-') && !minus) {
            minus = true;
            cleaned += c;
        }
    }
    if (cleaned.size() < 2) {
        if (cleaned.isEmpty() || cleaned == QLatin1String("-") || cleaned == QLatin1String("+"))
            return 0;
    } else {
        QString rest = cleaned.mid(1);
        rest.remove(QLatin1Char('+'));
        rest.remove(QLatin1Char('-'));
        cleaned = cleaned.left(1) + rest;
    }
    // The kept point is a decimal separator only where the user's notation says so.
    const QString separator = QLocale().decimalPoint();
    if (point && separator != QLatin1String("."))
        throw NotAFloat(cleaned);
    QByteArray bytes = cleaned.toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+')
        ++first;
    double value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last)
        throw NotAFloat(cleaned);
    return value;
}

bool TryStrToInt(const QString& text, int& value)
{
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* last = p + bytes.size();
    bool negative = false;
    if (p != last && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int base = 10;
    if (p != last && *p == '$') {
        base = 16;
        ++p;
    }
    if (p == last)
        return false;
    unsigned long long magnitude = 0;
    auto [end, ec] = std::from_chars(p, last, magnitude, base);
    if (ec != std::errc() || end != last)
        return false;
    if (base == 16 && magnitude <= 0xFFFFFFFFull && !negative) {
        // Hexadecimal texts cover the whole 32-bit pattern, as the platform reads them.
        value = static_cast<int>(static_cast<unsigned int>(magnitude));
        return true;
    }
    const long long limit =
        negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    if (magnitude > static_cast<unsigned long long>(limit))
        return false;
    value = static_cast<int>(negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude));
    return true;
}

int StrToInt(const QString& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}
