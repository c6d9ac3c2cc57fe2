#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A small sectioned settings file ("[Section]" headers and "key=value" lines), held in memory
// as its lines. Read once when created; every write saves the whole file at once.
// Section names match without regard to case, keys exactly; the first of equal keys wins.
class TIniFile32
{
public:
    // Loads the file when it exists; throws EFileError when it exists but cannot be read.
    explicit TIniFile32(const QString& fileName);

    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Replaces the target's contents with the section names in file order.
    void ReadSections(QStringList* strings) const;
    void EraseSection(const QString& section);

    // The lines as they stand in memory (what a save writes).
    const QStringList& Lines() const { return FLines; }

private:
    std::optional<qsizetype> FindSection(const QString& section) const;
    void Save() const;

    QString FFileName;
    QStringList FLines;
};
