#include "Unit_Option.h"

#include "AppObjects.h"
#include "ChoiceListBinding.h"
#include "ControlModels.h"
#include "CustomProfiles.h"
#include "ErrorHandler.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    // Enter in the profile box must not press a button.
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TfrmOption::TfrmOption(TControlModels& models, QWidget* parent) : QDialog(parent), FModels(models)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    setFixedSize(468, 239);

    // Liberation Sans runs wider than the bitmap font these places were measured for: the labels
    // and lists take the pixel size that fits their captions into their places.
    QFont fitting = font();
    fitting.setPixelSize(10);
    lblCustomProfile = MakeLabel(this, QStringLiteral("Custom Profile:"), {8, 12, 70, 13});
    lblCustomProfile->setFont(fitting);
    cbbCustomProfile = new QComboBox(this);
    cbbCustomProfile->setGeometry(112, 12, 185, 21);
    btnAdd = MakeButton(this, QStringLiteral("Add"), {304, 10, 49, 24});
    btnSave = MakeButton(this, QStringLiteral("Save"), {356, 10, 49, 24});
    btnDel = MakeButton(this, QStringLiteral("Delete"), {408, 10, 49, 24});
    grpAdvOptions = new QGroupBox(QStringLiteral("Advanced Options"), this);
    grpAdvOptions->setGeometry(12, 36, 449, 153);
    grpAdvOptions->setFont(fitting);
    btnApply = MakeButton(this, QStringLiteral("OK"), {296, 204, 73, 25});
    btnCancel = MakeButton(this, QStringLiteral("Cancel"), {384, 204, 73, 25});

    struct TRow
    {
        QLabel*& Label;
        QComboBox*& List;
        const char* Caption;
        int Left;
        int Top;
    };
    constexpr int leftLabel = 6, leftList = 100, rightLabel = 230, rightList = 323;
    const TRow rows[] = {
        {lblVideoSize, cbbVideoSize, "Video Size:", leftLabel, 19},
        {lblVideoBitrate, cbbVideoBitrate, "Video Bitrate(kbps):", leftLabel, 51},
        {lblFramerate, cbbFramerate, "Frame Rate(fps):", leftLabel, 83},
        {lblAspectratio, cbbAspectratio, "Aspect Ratio:", leftLabel, 114},
        {lblAudioBitrate, cbbAudioBitrate, "Audio Bitrate(kbps):", rightLabel, 19},
        {lblAudioSample, cbbAudioSample, "Audio Sample(khz):", rightLabel, 51},
        {lblAudioVolumeGain, cbbAudioVolumeGain, "Audio Volume(%):", rightLabel, 83},
        {lblAudioChannels, cbbAudioChannels, "Audio Channels:", rightLabel, 114},
    };
    for (const TRow& row : rows) {
        const int listLeft = row.Left == leftLabel ? leftList : rightList;
        row.Label = MakeLabel(grpAdvOptions, QString::fromLatin1(row.Caption), {row.Left, row.Top, 90, 13});
        row.List = new QComboBox(grpAdvOptions);
        row.List->setGeometry(listLeft, row.Top, 117, 21);
        QPalette palette = row.List->palette();
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        row.List->setPalette(palette);
    }

    TChoiceListBinding::Bind(*cbbVideoSize, models.cbbVideoSize);
    TChoiceListBinding::Bind(*cbbVideoBitrate, models.cbbVideoBitrate);
    TChoiceListBinding::Bind(*cbbFramerate, models.cbbFramerate);
    TChoiceListBinding::Bind(*cbbAspectratio, models.cbbAspectratio);
    TChoiceListBinding::Bind(*cbbAudioBitrate, models.cbbAudioBitrate);
    TChoiceListBinding::Bind(*cbbAudioSample, models.cbbAudioSample);
    TChoiceListBinding::Bind(*cbbAudioVolumeGain, models.cbbAudioVolumeGain);
    TChoiceListBinding::Bind(*cbbAudioChannels, models.cbbAudioChannels);
    TChoiceListBinding::Bind(*cbbCustomProfile, models.cbbCustomProfile, [this] { cbbCustomProfileChange(); });

    connect(btnAdd, &QPushButton::clicked, this, GuardedSlot([this](bool) { btnAddClick(); }));
    connect(btnSave, &QPushButton::clicked, this, GuardedSlot([this](bool) { btnSaveClick(); }));
    connect(btnDel, &QPushButton::clicked, this, GuardedSlot([this](bool) { btnDelClick(); }));
    connect(btnApply, &QPushButton::clicked, this, GuardedSlot([this](bool) { btnApplyClick(); }));
    connect(btnCancel, &QPushButton::clicked, this, GuardedSlot([this](bool) { btnCancelClick(); }));
}

void TfrmOption::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    Guarded([this] { FormShow(); });
}

void TfrmOption::FormShow()
{
    // The box keeps its text; the entries are new and none is selected.
    RefillProfileNames();
    if (FModels.cbbCustomProfile.Text().isEmpty())
        SelectCustomProfileOfQuality(FModels);
    FSnapshot = TakeSnapshot();
}

void TfrmOption::cbbCustomProfileChange()
{
    CustomProc->ApplySelectedCustomProfile();
}

void TfrmOption::btnAddClick()
{
    CustomProc->AddCustomProfile();
    RefillProfileNames();
    SelectLastProfile();
}

void TfrmOption::btnSaveClick()
{
    CustomProc->SaveCustomProfile();
    RefillProfileNames();
    SelectLastProfile();
}

void TfrmOption::btnDelClick()
{
    CustomProc->DeleteCustomProfile();
    RefillProfileNames();
    SelectLastProfile();
    if (FModels.cbbCustomProfile.Count() == 0)
        FModels.cbbCustomProfile.SetText(QString());
}

void TfrmOption::btnApplyClick()
{
    // The refill selects "Normal Quality" without applying it: the options stay as left here.
    FModels.cbbProfile.Clear();
    CustomProc->FillQualityList(FModels.cbbProfile);
    close();
}

void TfrmOption::btnCancelClick()
{
    TChoiceList* const lists[] = {&FModels.cbbVideoSize,       &FModels.cbbVideoBitrate,  &FModels.cbbFramerate,
                                  &FModels.cbbAspectratio,     &FModels.cbbAudioBitrate,  &FModels.cbbAudioSample,
                                  &FModels.cbbAudioVolumeGain, &FModels.cbbAudioChannels, &FModels.cbbCustomProfile};
    for (int i = 0; i < FSnapshot.size(); ++i)
        lists[i]->Select(FSnapshot.at(i));
    close();
}

void TfrmOption::RefillProfileNames()
{
    TChoiceList& profiles = FModels.cbbCustomProfile;
    profiles.Clear();
    profiles.AddItems(CommonLib->ReadProfileNames(cstProfileFileName));
}

void TfrmOption::SelectLastProfile()
{
    FModels.cbbCustomProfile.Select(FModels.cbbCustomProfile.Count() - 1);
}

QList<int> TfrmOption::TakeSnapshot() const
{
    return {FModels.cbbVideoSize.SelectedIndex(),       FModels.cbbVideoBitrate.SelectedIndex(),
            FModels.cbbFramerate.SelectedIndex(),       FModels.cbbAspectratio.SelectedIndex(),
            FModels.cbbAudioBitrate.SelectedIndex(),    FModels.cbbAudioSample.SelectedIndex(),
            FModels.cbbAudioVolumeGain.SelectedIndex(), FModels.cbbAudioChannels.SelectedIndex(),
            FModels.cbbCustomProfile.SelectedIndex()};
}
