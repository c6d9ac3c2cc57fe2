#pragma once

#include <QString>
#include <QStringList>

// Text helpers without state.
class TStrFunc
{
public:
    // The part after the last occurrence of the delimiter, or the whole text when it has none.
    static QString TextAfterLast(const QString& text, QChar delimiter);
};

// Parts between delimiters; an empty text gives no part, a trailing delimiter no empty last part.
QStringList SplitString(const QString& text, QChar delimiter);

// A lenient number reading: keeps digits, the first ".", the first "+" and the first "-",
// and lets a sign count only as the first character. Throws EConvertError when what is left
// is not a number in the user's decimal notation.
double StrToNumber(const QString& text);

// A whole number as a conversion of the platform would read it: optional sign and decimal
// digits, or "$" and hexadecimal digits. Throws EConvertError otherwise.
int StrToInt(const QString& text);
// As StrToInt, but reports failure instead of throwing.
bool TryStrToInt(const QString& text, int& value);
