#pragma once

#include <QString>
#include <QTemporaryDir>

// A private program folder with its own Config/, installed as the fake platform's program
// folder (and the home folder beside it) for the life of the object.
class TTempProgramFolder
{
public:
    explicit TTempProgramFolder(bool withConfig = true);

    // With a trailing "/".
    QString Path() const { return FPath; }
    QString ConfigPath() const { return FPath + QStringLiteral("Config/"); }
    QString Home() const { return FHome; }
    // A fresh sub-folder of the temporary tree, with a trailing "/".
    QString MakeFolder(const QString& name) const;
    // Copies the built encoder tools (and the companions) into the folder.
    void CopyProgramFiles(const QStringList& names) const;

private:
    QTemporaryDir FDir;
    QString FPath;
    QString FHome;
};
