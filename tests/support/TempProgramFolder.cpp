#include "TempProgramFolder.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

TTempProgramFolder::TTempProgramFolder(bool withConfig)
    : FDir(QDir::tempPath() + QStringLiteral("/quorvid-test-XXXXXX"))
{
    const QString root = FDir.path();
    FPath = root + QStringLiteral("/Program Files/Quorvid/");
    FHome = root + QStringLiteral("/home/");
    QDir().mkpath(FPath);
    QDir().mkpath(FHome);
    if (withConfig)
        QDir().mkpath(FPath + QStringLiteral("Config"));
    FakePlatform().SetProgramFolder(FPath);
    FakePlatform().SetHomeFolder(FHome);
}

QString TTempProgramFolder::MakeFolder(const QString& name) const
{
    const QString path = FDir.path() + QLatin1Char('/') + name + QLatin1Char('/');
    QDir().mkpath(path);
    return path;
}

void TTempProgramFolder::CopyProgramFiles(const QStringList& names) const
{
    for (const QString& name : names) {
        const QString target = FPath + name;
        QFile::remove(target);
        QFile::copy(QStringLiteral(QUORVID_PROGRAM_DIR "/") + name, target);
    }
}
