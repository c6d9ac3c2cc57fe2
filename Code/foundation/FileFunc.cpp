#include "FileFunc.h"

#include "Platform.h"
#include "StrFunc.h"

#include <vector>

namespace {

QString FileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FolderPart(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ExtensionPart(const QString& path)
{
    const QString name = FileNamePart(path);
    const qsizetype at = name.lastIndexOf(QLatin1Char('.'));
    return at < 0 ? QString() : name.mid(at);
}

} // namespace

QString TFileFunc::FileBaseName(const QString& path)
{
    const QString name = FileNamePart(path);
    const QString after = TStrFunc::TextAfterLast(name, QLatin1Char('.'));
    const qsizetype count = name.size() - after.size() - 1;
    return count > 0 ? name.left(count) : QString();
}

QString TFileFunc::UniqueFileName(const QString& path)
{
    FWantedBaseName = FileBaseName(path);
    const QString folder = FolderPart(path);
    const QString extension = ExtensionPart(path);

    std::vector<TFolderEntry> entries;
    if (!Platform().ListFolder(folder, entries))
        entries.clear();
    auto taken = [&](const QString& baseName) {
        for (const auto& e : entries)
            if (!e.IsPlainFolder && FileBaseName(QLatin1Char('/') + e.Name) == baseName)
                return true;
        return false;
    };

    QString baseName = FWantedBaseName;
    while (taken(baseName)) {
        if (baseName == FWantedBaseName) {
            baseName += QStringLiteral("_1");
        } else {
            const qsizetype at = baseName.lastIndexOf(QLatin1Char('_'));
            const int number = baseName.mid(at + 1).toInt();
            baseName = baseName.left(at + 1) + QString::number(number + 1);
        }
    }
    return folder + baseName + extension;
}
