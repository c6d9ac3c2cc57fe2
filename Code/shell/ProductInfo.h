#pragma once

#include "CompanionAbi.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The product information, filled once during start-up.
struct TRecSoftInfo
{
    QString Company;
    QString ProductName;
    QString AboutText1;
    QString Version;
    QString HomePage;
    QString Email;
    QString AboutText2;
    QString AppPath;
};

extern TRecSoftInfo RecSoftInfo;

// Reads what the companion library rec.so supplies and the version compiled into the program.
class TProductInfo
{
public:
    // The companion files, in the order they are checked.
    static QStringList CompanionFiles();
    // The companion files missing from the program folder.
    static QStringList MissingCompanionFiles();
    static QString MissingFileMessage(const QString& name);

    // The first two parts of a file version such as "1.4.0.0" (empty pieces skipped).
    static QString VersionText(const QString& fileVersion);
    // The version compiled into the program.
    static QString FileVersion();

    // One numbered string, read into a buffer of 254 characters (so at most 253 are kept).
    static QString ReadString(TRecLoadString loadString, unsigned id);
    // Fills the product fields from rec.so and the version; fields stay empty when rec.so or a
    // string is missing. AppPath is left alone.
    static void Read(TRecSoftInfo& info);
    // The splash picture's JPEG bytes; empty when rec.so or the picture is missing.
    static QByteArray ReadSplashJpeg();

    // Shows the About window through use.so; nothing when the library or its export is missing.
    static void ShowAbout(void* application, const TRecSoftInfo& info);
};
