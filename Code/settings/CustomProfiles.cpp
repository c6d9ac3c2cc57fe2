// Custom profiles: the profile file, the Add counter and the profile operations.
#include "CustomProfiles.h"

#include "ControlModels.h"
#include "Dialogs.h"
#include "IniFiles32.h"
#include "Platform.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <limits>

namespace {

QString ConfigFile(const QString& programFolder, const QString& fileName)
{
    return programFolder + QStringLiteral("Config/") + fileName;
}

// The six choices a profile keeps, as stored: selected indices joined by "|", -1 for none.
QString CurrentProfileValue(const TControlModels& models)
{
    const TChoiceList* const sources[] = {&models.cbbVideoSize,    &models.cbbFramerate,     &models.cbbVideoBitrate,
                                          &models.cbbAudioBitrate, &models.cbbAudioChannels, &models.cbbAudioSample};
    QStringList fields;
    for (const TChoiceList* list : sources)
        fields << QString::number(list->SelectedIndex());
    return fields.join(QLatin1Char('|'));
}

void WriteProfile(const QString& name, const TControlModels& models)
{
    TIniFile32 ini(ConfigFile(Platform().ProgramFolder(), cstProfileFileName));
    ini.WriteString(name, name, CurrentProfileValue(models));
}

} // namespace

void SelectCustomProfileOfQuality(TControlModels& models)
{
    const int number = models.cbbProfile.SelectedIndex() - cstQualityLevelCount;
    TChoiceList& profiles = models.cbbCustomProfile;
    if (number < 0) {
        profiles.Select(-1);
        return;
    }
    // Both lists hold the profile names in file order, but the dialog's list is refreshed on
    // every showing and the quality list only after OK: after a Delete the same number can
    // name another profile, so the name decides when the two disagree.
    const QString name = models.cbbProfile.SelectedText();
    if (number < profiles.Count() && profiles.Items().at(number) == name)
        profiles.Select(number);
    else
        profiles.Select(static_cast<int>(profiles.Items().indexOf(name)));
}

QStringList TCommonLib::ReadProfileNames(const QString& fileName) const
{
    TIniFile32 ini(ConfigFile(FAppPath, fileName));
    QStringList names;
    ini.ReadSections(&names);
    return names;
}

QString TCommonLib::ReadProfileValue(const QString& fileName, const QString& profileName) const
{
    TIniFile32 ini(ConfigFile(FAppPath, fileName));
    return ini.ReadString(profileName, profileName, QString());
}

void TCustomProc::AddCustomProfile()
{
    int count = 0;
    {
        TIniFile32 counter(ConfigFile(Platform().ProgramFolder(), cstProfileCountFileName));
        const int stored = counter.ReadInteger(QStringLiteral("count"), QStringLiteral("count"), 0);
        // A hand-edited counter at the top of the range stays there instead of overflowing.
        count = stored < std::numeric_limits<int>::max() ? stored + 1 : stored;
        counter.WriteInteger(QStringLiteral("count"), QStringLiteral("count"), count);
    }
    const std::optional<QString> name = Dialogs().InputText(ApplicationTitle(), QStringLiteral("Plese input a name"),
                                                            QStringLiteral("UserProfileInfo") + QString::number(count));
    if (!name)
        return;
    WriteProfile(*name, FModels);
}

void TCustomProc::SaveCustomProfile()
{
    const QString name = FModels.cbbCustomProfile.Text();
    if (name.isEmpty())
        return;
    WriteProfile(name, FModels);
}

void TCustomProc::DeleteCustomProfile()
{
    if (FModels.cbbCustomProfile.Count() == 0)
        return;
    // The box's text, not its selected entry, names the profile that goes.
    TIniFile32 ini(ConfigFile(Platform().ProgramFolder(), cstProfileFileName));
    ini.EraseSection(FModels.cbbCustomProfile.Text());
}
