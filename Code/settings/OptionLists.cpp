// Filling the choice lists from the built-in tables and applying a quality preset.
#include "AppObjects.h"
#include "ControlModels.h"
#include "CustomProfiles.h"
#include "StrFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

namespace {

// Applies six indices to the six lists a profile covers, in profile-string order. An empty
// part is skipped when allowed; a part that is no integer throws with the earlier parts applied.
void SelectProfileFields(TControlModels& models, const QStringList& fields, bool skipEmpty)
{
    TChoiceList* const targets[] = {&models.cbbVideoSize,    &models.cbbFramerate,     &models.cbbVideoBitrate,
                                    &models.cbbAudioBitrate, &models.cbbAudioChannels, &models.cbbAudioSample};
    for (int i = 0; i < 6; ++i) {
        const QString& field = fields.at(i);
        if (skipEmpty && field.isEmpty())
            continue;
        targets[i]->Select(StrToInt(field));
    }
}

} // namespace

void TCustomProc::FillAllLists()
{
    FillChoiceList(FModels.cbbOutputFiletype, GetOutputTypeList);
    FillQualityList(FModels.cbbProfile);
    // The dialog's profile list holds the same names as the quality list from the start, so a
    // profile picked before the dialog was ever shown is found and applied.
    FModels.cbbCustomProfile.AddItems(CommonLib->ReadProfileNames(cstProfileFileName));
    FillChoiceList(FModels.cbbAspectratio, GetAspectRatioList);
    FillChoiceList(FModels.cbbVideoBitrate, GetVideoBitrateList);
    FillChoiceList(FModels.cbbAudioBitrate, GetAudioBitrateList);
    FillChoiceList(FModels.cbbAudioChannels, GetAudioChannelList);
    FillChoiceList(FModels.cbbFramerate, GetFrameRateList);
    FillChoiceList(FModels.cbbAudioSample, GetAudioSampleList);
    FillChoiceList(FModels.cbbAudioVolumeGain, GetAudioVolumeList);
    FillChoiceList(FModels.cbbVideoSize, GetVideoSizeList);
    LoadUserSettings();
}

void TCustomProc::FillChoiceList(TChoiceList& list, QStringList (*builder)())
{
    const QStringList optionList = builder();
    // Items are appended, never replaced: a list is filled once per run.
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.Select(StrToInt(optionList.last()));
}

void TCustomProc::FillQualityList(TChoiceList& list)
{
    const QStringList optionList = GetQualityList();
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.AddItems(CommonLib->ReadProfileNames(cstProfileFileName));
    list.Select(StrToInt(optionList.last()));
}

void TCustomProc::ApplyProfile()
{
    const int quality = FModels.cbbProfile.SelectedIndex();
    // Only reachable before the lists are filled; there is no preset to apply then.
    if (quality < 0)
        return;
    if (quality >= cstQualityLevelCount) {
        SelectCustomProfileOfQuality(FModels);
        ApplySelectedCustomProfile();
        return;
    }
    const QStringList profileSet = GetProfileSet(FModels.cbbOutputFiletype.SelectedIndex());
    SelectProfileFields(FModels, SplitString(profileSet.at(quality), QLatin1Char('|')), false);
}

QString TCustomProc::ReadSelectedCustomProfile()
{
    return CommonLib->ReadProfileValue(cstProfileFileName, FModels.cbbCustomProfile.SelectedText());
}

void TCustomProc::ApplySelectedCustomProfile()
{
    const QString value = ReadSelectedCustomProfile();
    if (value.isEmpty())
        return;
    const QStringList parts = SplitString(value, QLatin1Char('|'));
    if (parts.size() != 6)
        return;
    SelectProfileFields(FModels, parts, true);
}
