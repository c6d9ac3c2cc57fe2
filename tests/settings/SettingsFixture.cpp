#include "SettingsFixture.h"

#include "UnitCustomProc.h"

void SettingsFixture::SetUp()
{
    ResetDoubles();
    Program = std::make_unique<TTempProgramFolder>();
    StartUp();
}

void SettingsFixture::StartUp()
{
    Objects.reset();
    Models = std::make_unique<TControlModels>();
    Objects = std::make_unique<TAppObjects>(*Models);
    CustomProc->FillAllLists();
    CustomProc->ApplyProfile();
}

void SettingsFixture::WriteProfiles(const QByteArray& bytes) const
{
    WriteFileBytes(ProfileFile(), bytes);
}

QStringList SettingsFixture::SixSelected() const
{
    return {Models->cbbVideoSize.SelectedText(),     Models->cbbFramerate.SelectedText(),
            Models->cbbVideoBitrate.SelectedText(),  Models->cbbAudioBitrate.SelectedText(),
            Models->cbbAudioChannels.SelectedText(), Models->cbbAudioSample.SelectedText()};
}

QList<int> SettingsFixture::EightIndices() const
{
    return {Models->cbbVideoSize.SelectedIndex(),       Models->cbbVideoBitrate.SelectedIndex(),
            Models->cbbFramerate.SelectedIndex(),       Models->cbbAspectratio.SelectedIndex(),
            Models->cbbAudioBitrate.SelectedIndex(),    Models->cbbAudioSample.SelectedIndex(),
            Models->cbbAudioVolumeGain.SelectedIndex(), Models->cbbAudioChannels.SelectedIndex()};
}
