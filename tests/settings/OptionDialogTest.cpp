#include "ChoiceListBinding.h"
#include "SettingsFixture.h"
#include "UnitCustomProc.h"
#include "Unit_Option.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

// What the user does: pick an entry of a drop-down, or type over the text of the editable one.
void UserPicks(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void UserTypes(QComboBox* box, const QString& text)
{
    box->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(box->lineEdit(), text);
}

QStringList Entries(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

const QByteArray cstTwo = "\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[car]\r\ncar=0|0|0|0|0|0\r\n";

} // namespace

class OptionDialog : public SettingsFixture
{
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        SetApplicationTitle("Quorvid");
    }
    void TearDown() override { Dialog.reset(); }

    // The start-up state with the given profile file, and the dialog over its models.
    void Open(const QByteArray& profiles = {})
    {
        Dialog.reset();
        if (!profiles.isEmpty())
            WriteProfiles(profiles);
        StartUp();
        Dialog = std::make_unique<TfrmOption>(*Models);
        Dialog->show();
    }

    std::unique_ptr<TfrmOption> Dialog;
};

TEST_F(OptionDialog, LayoutFollowsItsTable)
{
    Open();
    TfrmOption& d = *Dialog;
    EXPECT_EQ(d.windowTitle(), "Options");
    EXPECT_EQ(d.size(), QSize(468, 239));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    const Qt::WindowFlags flags = d.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(d.font().family(), "Liberation Sans");
    EXPECT_EQ(d.font().pointSize(), 8);
    EXPECT_FALSE(d.isModal());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offCentre = d.frameGeometry().center() - screen.center();
    EXPECT_LE(offCentre.manhattanLength(), 1) << offCentre.x() << "," << offCentre.y();

    struct TControl
    {
        QWidget* Widget;
        QString Caption;
        QRect Geometry;
    };
    const TControl controls[] = {
        {d.lblCustomProfile, "Custom Profile:", {8, 12, 70, 13}},
        {d.cbbCustomProfile, "", {112, 12, 185, 21}},
        {d.btnAdd, "Add", {304, 10, 49, 24}},
        {d.btnSave, "Save", {356, 10, 49, 24}},
        {d.btnDel, "Delete", {408, 10, 49, 24}},
        {d.grpAdvOptions, "Advanced Options", {12, 36, 449, 153}},
        {d.btnApply, "OK", {296, 204, 73, 25}},
        {d.btnCancel, "Cancel", {384, 204, 73, 25}},
        {d.lblVideoSize, "Video Size:", {6, 19, 90, 13}},
        {d.cbbVideoSize, "", {100, 19, 117, 21}},
        {d.lblVideoBitrate, "Video Bitrate(kbps):", {6, 51, 90, 13}},
        {d.cbbVideoBitrate, "", {100, 51, 117, 21}},
        {d.lblFramerate, "Frame Rate(fps):", {6, 83, 90, 13}},
        {d.cbbFramerate, "", {100, 83, 117, 21}},
        {d.lblAspectratio, "Aspect Ratio:", {6, 114, 90, 13}},
        {d.cbbAspectratio, "", {100, 114, 117, 21}},
        {d.lblAudioBitrate, "Audio Bitrate(kbps):", {230, 19, 90, 13}},
        {d.cbbAudioBitrate, "", {323, 19, 117, 21}},
        {d.lblAudioSample, "Audio Sample(khz):", {230, 51, 90, 13}},
        {d.cbbAudioSample, "", {323, 51, 117, 21}},
        {d.lblAudioVolumeGain, "Audio Volume(%):", {230, 83, 90, 13}},
        {d.cbbAudioVolumeGain, "", {323, 83, 117, 21}},
        {d.lblAudioChannels, "Audio Channels:", {230, 114, 90, 13}},
        {d.cbbAudioChannels, "", {323, 114, 117, 21}},
    };
    for (const TControl& c : controls) {
        EXPECT_EQ(c.Widget->geometry(), c.Geometry)
            << c.Caption.toStdString() << " " << c.Widget->metaObject()->className();
        if (auto* label = qobject_cast<QLabel*>(c.Widget)) {
            EXPECT_EQ(label->text(), c.Caption);
            // The whole caption shows in its place.
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << c.Caption.toStdString();
        } else if (auto* button = qobject_cast<QPushButton*>(c.Widget)) {
            EXPECT_EQ(button->text(), c.Caption);
        } else if (auto* group = qobject_cast<QGroupBox*>(c.Widget)) {
            EXPECT_EQ(group->title(), c.Caption);
        } else {
            auto* box = qobject_cast<QComboBox*>(c.Widget);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isEditable(), box == d.cbbCustomProfile);
        }
    }
    // The lists show their models: the start-up selections.
    EXPECT_EQ(d.cbbVideoSize->count(), 10);
    EXPECT_EQ(d.cbbVideoSize->currentText(), "160x120");
    EXPECT_EQ(d.cbbAudioVolumeGain->currentText(), "200");
    EXPECT_EQ(d.cbbAudioBitrate->currentText(), "128");
}

TEST_F(OptionDialog, ListsAndModelsMoveTogetherAndCodeNeverFiresHandlers)
{
    Open("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n");
    QComboBox outputType, quality;
    BindQualityLists(outputType, quality, *Models);
    EXPECT_EQ(Entries(&quality).mid(4), QStringList({"Superb Quality", "Phone"}));
    QSignalSpy picked(Dialog->cbbVideoSize, &QComboBox::activated);
    QSignalSpy profilePicked(Dialog->cbbCustomProfile, &QComboBox::activated);

    // A user pick in the main window applies the preset; the dialog follows.
    UserPicks(&outputType, 2);
    EXPECT_EQ(Models->cbbOutputFiletype.SelectedIndex(), 2);
    EXPECT_EQ(Dialog->cbbAudioChannels->currentText(), "1 channel, Mono");
    EXPECT_EQ(Dialog->cbbAudioSample->currentText(), "22050");
    UserPicks(&quality, 5);
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "Phone");
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "320x240");
    EXPECT_EQ(picked.count(), 0);
    EXPECT_EQ(profilePicked.count(), 0);

    // Selections by code only redraw.
    Models->cbbProfile.Select(0);
    EXPECT_EQ(quality.currentText(), "Low Quality");
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "320x240");
    Models->cbbVideoSize.Select(12);
    EXPECT_EQ(Dialog->cbbVideoSize->currentIndex(), -1);

    // A pick in the dialog changes the model.
    UserPicks(Dialog->cbbFramerate, 0);
    EXPECT_EQ(Models->cbbFramerate.SelectedText(), "11");
    QTest::keyClick(Dialog->cbbAspectratio, Qt::Key_Down);
    EXPECT_EQ(Models->cbbAspectratio.SelectedText(), "16:9");
}

TEST_F(OptionDialog, ShowingRefreshesTheEntriesAndKeepsTheText)
{
    Open(cstTwo);
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({"Phone", "car"}));
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    UserPicks(Dialog->cbbCustomProfile, 1);
    EXPECT_EQ(Models->cbbCustomProfile.Text(), "car");
    Dialog->hide();

    WriteProfiles("\r\n[Bike]\r\nBike=0|0|0|0|0|0\r\n" + cstTwo);
    Dialog->show();
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({"Bike", "Phone", "car"}));
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "car");

    // An empty box takes the custom profile the quality list shows.
    Dialog->hide();
    Models->cbbCustomProfile.SetText("");
    Models->cbbProfile.Select(6); // "car" among the quality list's entries
    Dialog->show();
    EXPECT_EQ(Models->cbbCustomProfile.SelectedText(), "car");
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "car");
}

TEST_F(OptionDialog, PickingAnEntryAppliesItTypingDoesNot)
{
    Open(cstTwo);
    UserPicks(Dialog->cbbCustomProfile, 0);
    EXPECT_EQ(SixSelected(), QStringList({"320x240", "15", "256", "128", "2 channels, Stereo", "44100"}));
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "320x240");

    UserTypes(Dialog->cbbCustomProfile, "car");
    EXPECT_EQ(Models->cbbCustomProfile.Text(), "car");
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "car");
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "320x240");
}

TEST_F(OptionDialog, AHandEditedBrokenProfileIsReportedAndTheDialogCarriesOn)
{
    Open("\r\n[Hand]\r\nHand=4|1|x|5|1|2\r\n" + cstTwo.mid(2));
    UserPicks(Dialog->cbbCustomProfile, 0);
    ASSERT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "'x' is not a valid integer value");
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "320x240");
    EXPECT_EQ(Dialog->cbbVideoBitrate->currentText(), "128");
    UserPicks(Dialog->cbbCustomProfile, 2);
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "128x96");
    EXPECT_EQ(FakeDialogs().CountOf("error"), 1);
}

TEST_F(OptionDialog, AddSaveAndDeleteWriteTheFileAndRefillTheBox)
{
    Open();
    const auto file = [this] { return ReadFileBytes(ProfileFile()); };
    UserPicks(Dialog->cbbVideoSize, 4);
    UserPicks(Dialog->cbbVideoBitrate, 3);

    FakeDialogs().InputAnswers = {QString("Phone"), std::nullopt, QString("")};
    Dialog->btnAdd->click();
    EXPECT_EQ(FakeDialogs().Calls.back().Text, "Quorvid|Plese input a name");
    EXPECT_EQ(FakeDialogs().LastInputInitial, "UserProfileInfo1");
    EXPECT_EQ(file(), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n"));
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=1\r\n"));
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({"Phone"}));
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "Phone");

    Dialog->btnAdd->click(); // cancelled
    EXPECT_EQ(FakeDialogs().LastInputInitial, "UserProfileInfo2");
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=2\r\n"));
    EXPECT_EQ(file(), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n"));

    Dialog->btnAdd->click(); // empty name
    EXPECT_EQ(file(), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\n[]\r\n"));
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({"Phone", ""}));
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), 1);

    // A name differing only in case: a second key line in Phone's section.
    UserPicks(Dialog->cbbFramerate, 0);
    UserTypes(Dialog->cbbCustomProfile, "PHONE");
    Dialog->btnSave->click();
    EXPECT_EQ(file(), QByteArray("\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n\r\nPHONE=4|0|3|5|1|2\r\n[]\r\n"));
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({"Phone", ""}));
    EXPECT_EQ(ReadFileBytes(CounterFile()), QByteArray("\r\n[count]\r\ncount=3\r\n"));

    // Delete by a name that matches nothing leaves the file alone.
    UserTypes(Dialog->cbbCustomProfile, "Truck");
    const QByteArray before = file();
    Dialog->btnDel->click();
    EXPECT_EQ(file(), before);

    UserTypes(Dialog->cbbCustomProfile, "phone");
    Dialog->btnDel->click();
    EXPECT_EQ(file(), QByteArray("\r\n\r\n[]\r\n"));
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList({""}));

    UserTypes(Dialog->cbbCustomProfile, "");
    Dialog->btnDel->click();
    EXPECT_EQ(file(), QByteArray("\r\n\r\n\r\n"));
    EXPECT_EQ(Entries(Dialog->cbbCustomProfile), QStringList());
    EXPECT_EQ(Dialog->cbbCustomProfile->currentText(), "");
    EXPECT_EQ(Models->cbbCustomProfile.Text(), "");
}

TEST_F(OptionDialog, OkRefillsTheQualityListWithoutApplyingAPreset)
{
    Open(cstTwo);
    Models->cbbProfile.Select(0);
    CustomProc->ApplyProfile();
    FakeDialogs().InputAnswers = {QString("Bike")};
    Dialog->btnAdd->click();
    UserPicks(Dialog->cbbAudioBitrate, 0);
    UserPicks(Dialog->cbbAudioVolumeGain, 2);
    const QList<int> options = EightIndices();

    Dialog->btnApply->click();
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(Models->cbbProfile.Items().mid(5), QStringList({"Phone", "car", "Bike"}));
    EXPECT_EQ(Models->cbbProfile.SelectedText(), "Normal Quality");
    EXPECT_EQ(EightIndices(), options);
}

TEST_F(OptionDialog, CancelRestoresTheSnapshotTheCloseBoxDoesNot)
{
    Open(cstTwo);
    const QList<int> shown = EightIndices();
    UserPicks(Dialog->cbbFramerate, 0);
    UserPicks(Dialog->cbbVideoSize, 8);
    UserPicks(Dialog->cbbAudioVolumeGain, 4);
    UserPicks(Dialog->cbbCustomProfile, 1);
    Dialog->btnCancel->click();
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(EightIndices(), shown);
    EXPECT_EQ(Models->cbbCustomProfile.SelectedIndex(), -1);
    EXPECT_EQ(Dialog->cbbFramerate->currentText(), "15");
    EXPECT_EQ(Dialog->cbbVideoSize->currentText(), "160x120");
    EXPECT_EQ(Dialog->cbbAudioVolumeGain->currentText(), "200");

    Dialog->show();
    UserPicks(Dialog->cbbVideoSize, 8);
    FakeDialogs().InputAnswers = {QString("Bike")};
    Dialog->btnAdd->click();
    Dialog->close();
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(Models->cbbVideoSize.SelectedText(), "640x480");
    EXPECT_EQ(Models->cbbProfile.Count(), 7);
}
