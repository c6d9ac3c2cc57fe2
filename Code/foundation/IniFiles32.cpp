#include "IniFiles32.h"

#include "Errors.h"
#include "SafeSave.h"
#include "StrFunc.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Trimming here removes every character from 0 to 32, control characters included.
QString TrimLine(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

bool IsSectionHeader(const QString& line)
{
    const QString t = TrimLine(line);
    return t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'));
}

QString KeyOf(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1Char('='));
    return at < 0 ? QString() : TrimLine(line.left(at));
}

QString ValueOf(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1Char('='));
    return at < 0 ? QString() : TrimLine(line.mid(at + 1));
}

QStringList SplitLines(const QByteArray& bytes)
{
    // The text ends at the first NUL byte; CR LF, a lone CR and a lone LF each end a line.
    const qsizetype nul = bytes.indexOf('\0');
    // A byte-order mark stays part of the first line, as the file holds it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(nul < 0 ? bytes : bytes.left(nul));
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << current;
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

} // namespace

TIniFile32::TIniFile32(const QString& fileName) : FFileName(fileName)
{
    QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(fileName, info.isDir() ? QStringLiteral("It is a folder.") : file.errorString()));
    FLines = SplitLines(file.readAll());
}

std::optional<qsizetype> TIniFile32::FindSection(const QString& section) const
{
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    for (qsizetype i = 0; i < FLines.size(); ++i)
        if (QString::compare(FLines.at(i), header, Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

QString TIniFile32::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const auto header = FindSection(section);
    if (!header)
        return defaultValue;
    for (qsizetype i = *header + 1; i < FLines.size() && !IsSectionHeader(FLines.at(i)); ++i) {
        if (KeyOf(FLines.at(i)) == key) {
            const QString value = ValueOf(FLines.at(i));
            return value.isEmpty() ? defaultValue : value;
        }
    }
    return defaultValue;
}

int TIniFile32::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    QString text = ReadString(section, key, QString());
    if (text.size() > 2 && (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        text = QLatin1Char('$') + text.mid(2);
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

void TIniFile32::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    const auto header = FindSection(section);
    if (!header) {
        FLines << QString() << QLatin1Char('[') + section + QLatin1Char(']');
        if (!key.isEmpty())
            FLines << line;
    } else {
        qsizetype i = *header + 1;
        while (i < FLines.size() && !IsSectionHeader(FLines.at(i)) && KeyOf(FLines.at(i)) != key)
            ++i;
        if (!key.isEmpty()) {
            if (i < FLines.size() && !IsSectionHeader(FLines.at(i)))
                FLines[i] = line;
            else
                FLines.insert(i, line);
        }
    }
    Save();
}

void TIniFile32::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile32::ReadSections(QStringList* strings) const
{
    if (!strings)
        throw EAssertionFailed(QStringLiteral("Param Strings must be assigned"), QStringLiteral("Code/IniFiles32"),
                               174);
    strings->clear();
    for (const QString& line : FLines)
        if (IsSectionHeader(line)) {
            const QString t = TrimLine(line);
            strings->append(TrimLine(t.mid(1, t.size() - 2)));
        }
}

void TIniFile32::EraseSection(const QString& section)
{
    const auto header = FindSection(section);
    if (!header)
        return;
    qsizetype end = *header + 1;
    while (end < FLines.size() && !IsSectionHeader(FLines.at(end)))
        ++end;
    FLines.remove(*header, end - *header);
    if (*header > 0)
        FLines.insert(*header, QString());
    Save();
}

void TIniFile32::Save() const
{
    QByteArray bytes;
    for (const QString& line : FLines)
        bytes += line.toUtf8() + "\r\n";
    SaveFileSafely(FFileName, bytes);
}
