#include "ProductInfo.h"

#include "Platform.h"

#include <QFileInfo>
#include <memory>

TRecSoftInfo RecSoftInfo;

namespace {

const QString cstRecLibrary = QStringLiteral("rec.so");
const QString cstUseLibrary = QStringLiteral("use.so");

// The bare names are resolved in the program folder, where the library search starts, so the
// program also starts when launched from any other folder.
QString InProgramFolder(const QString& name)
{
    return Platform().ProgramFolder() + name;
}

struct TLibraryCloser
{
    void operator()(void* library) const
    {
        if (library)
            Platform().FreeLibrary(library);
    }
};
using TLibrary = std::unique_ptr<void, TLibraryCloser>;

TLibrary LoadCompanion(const QString& name)
{
    return TLibrary(Platform().LoadLibrary(InProgramFolder(name)));
}

} // namespace

QStringList TProductInfo::CompanionFiles()
{
    return {cstUseLibrary, cstRecLibrary};
}

QStringList TProductInfo::MissingCompanionFiles()
{
    QStringList missing;
    for (const QString& name : CompanionFiles())
        if (!QFileInfo(InProgramFolder(name)).isFile())
            missing.append(name);
    return missing;
}

QString TProductInfo::MissingFileMessage(const QString& name)
{
    return QLatin1Char('\'') + name + QStringLiteral("' is not found. Please reinstall this program.");
}

QString TProductInfo::VersionText(const QString& fileVersion)
{
    const QStringList parts = fileVersion.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    return parts.mid(0, 2).join(QLatin1Char('.'));
}

QString TProductInfo::FileVersion()
{
    return QStringLiteral(QUORVID_FILE_VERSION);
}

QString TProductInfo::ReadString(TRecLoadString loadString, unsigned id)
{
    if (!loadString)
        return {};
    char buffer[254] = {};
    const int length = loadString(id, buffer, static_cast<int>(sizeof buffer));
    if (length <= 0)
        return {};
    buffer[sizeof buffer - 1] = '\0';
    return QString::fromUtf8(buffer);
}

void TProductInfo::Read(TRecSoftInfo& info)
{
    TLibrary rec = LoadCompanion(cstRecLibrary);
    const auto loadString =
        rec ? reinterpret_cast<TRecLoadString>(Platform().Symbol(rec.get(), "RecLoadString")) : nullptr;
    info.Company = ReadString(loadString, 0);
    info.ProductName = ReadString(loadString, 1);
    info.AboutText1 = ReadString(loadString, 2);
    info.HomePage = ReadString(loadString, 4);
    info.Email = ReadString(loadString, 5);
    info.AboutText2 = ReadString(loadString, 7);
    info.Version = VersionText(FileVersion());
}

QByteArray TProductInfo::ReadSplashJpeg()
{
    TLibrary rec = LoadCompanion(cstRecLibrary);
    if (!rec)
        return {};
    const auto findResource = reinterpret_cast<TRecFindResource>(Platform().Symbol(rec.get(), "RecFindResource"));
    if (!findResource)
        return {};
    unsigned long size = 0;
    const unsigned char* bytes = findResource("ImgFlash", "jpeg", &size);
    if (!bytes || size == 0)
        return {};
    // A copy: the library is unloaded when this returns.
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
}

void TProductInfo::ShowAbout(void* application, const TRecSoftInfo& info)
{
    TLibrary use = LoadCompanion(cstUseLibrary);
    if (!use)
        return;
    const auto showAboutForm = reinterpret_cast<TShowAboutForm>(Platform().Symbol(use.get(), "ShowAboutForm"));
    if (!showAboutForm)
        return;
    const QByteArray company = info.Company.toUtf8(), product = info.ProductName.toUtf8(),
                     about1 = info.AboutText1.toUtf8(), version = info.Version.toUtf8(), home = info.HomePage.toUtf8(),
                     email = info.Email.toUtf8(), about2 = info.AboutText2.toUtf8(), appPath = info.AppPath.toUtf8();
    showAboutForm(application,
                  TAboutInfo{company.constData(), product.constData(), about1.constData(), version.constData(),
                             home.constData(), email.constData(), about2.constData(), appPath.constData()});
}
