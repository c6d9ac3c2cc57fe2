// The user settings file: Config/UserSettings.ini, section "USRInfo".
#include "ControlModels.h"
#include "IniFiles32.h"
#include "Platform.h"
#include "UnitCustomProc.h"

namespace {

const QLatin1String cstSection("USRInfo");

QString SettingsFile()
{
    return Platform().ProgramFolder() + QStringLiteral("Config/UserSettings.ini");
}

} // namespace

QString TCustomProc::ReadInitialFolder()
{
    TIniFile32 ini(SettingsFile());
    return ini.ReadString(cstSection, QStringLiteral("InitDir"), Platform().HomeFolder());
}

void TCustomProc::SaveInitialFolder(const QString& dialogFileName)
{
    const QString folder = dialogFileName.left(dialogFileName.lastIndexOf(QLatin1Char('/')) + 1);
    if (folder.isEmpty())
        return;
    TIniFile32 ini(SettingsFile());
    ini.WriteString(cstSection, QStringLiteral("InitDir"), folder);
}

void TCustomProc::LoadUserSettings()
{
    TIniFile32 ini(SettingsFile());
    FModels.chkShowOutputDirectory.SetChecked(
        ini.ReadString(cstSection, QStringLiteral("SHWDDir"), QStringLiteral("0")) == QLatin1String("1"));
    FModels.chkShutdown.SetChecked(ini.ReadString(cstSection, QStringLiteral("SHUTDOWN"), QStringLiteral("0")) ==
                                   QLatin1String("1"));
    FModels.edtOutputFolder.SetText(
        ini.ReadString(cstSection, QStringLiteral("OutDir"), FModels.edtOutputFolder.Text()));
}

void TCustomProc::SaveUserSettings()
{
    TIniFile32 ini(SettingsFile());
    ini.WriteString(cstSection, QStringLiteral("SHWDDir"),
                    FModels.chkShowOutputDirectory.Checked() ? QStringLiteral("1") : QStringLiteral("0"));
    ini.WriteString(cstSection, QStringLiteral("SHUTDOWN"),
                    FModels.chkShutdown.Checked() ? QStringLiteral("1") : QStringLiteral("0"));
    ini.WriteString(cstSection, QStringLiteral("OutDir"), FModels.edtOutputFolder.Text());
}
