#pragma once

#include <QString>

// File-name helpers; remembers the wanted base name of the current unique-name search.
class TFileFunc
{
public:
    // The file name without folder and without its last extension; empty when the name has
    // no point, or only a leading one.
    static QString FileBaseName(const QString& path);
    // The path itself when no counted entry of its folder shares its base name, otherwise the
    // first free variant with "_1", "_2", ... appended to the base name.
    QString UniqueFileName(const QString& path);

private:
    QString FWantedBaseName;
};
