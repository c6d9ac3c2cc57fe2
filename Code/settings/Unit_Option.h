#pragma once

#include <QDialog>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TControlModels;

// The Options dialog: the eight advanced-option lists and the custom profiles. Lives for the
// whole run and is shown without being modal; each showing refreshes the profile names and
// takes the snapshot that Cancel restores. The close box neither restores nor refreshes.
class TfrmOption : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmOption(TControlModels& models, QWidget* parent = nullptr);

    // Handlers, each run through the general error handler by its control.
    void FormShow();
    void cbbCustomProfileChange();
    void btnAddClick();
    void btnSaveClick();
    void btnDelClick();
    void btnApplyClick();
    void btnCancelClick();

    QLabel* lblCustomProfile;
    QComboBox* cbbCustomProfile;
    QPushButton* btnAdd;
    QPushButton* btnSave;
    QPushButton* btnDel;
    QGroupBox* grpAdvOptions;
    QLabel* lblVideoSize;
    QComboBox* cbbVideoSize;
    QLabel* lblVideoBitrate;
    QComboBox* cbbVideoBitrate;
    QLabel* lblFramerate;
    QComboBox* cbbFramerate;
    QLabel* lblAspectratio;
    QComboBox* cbbAspectratio;
    QLabel* lblAudioBitrate;
    QComboBox* cbbAudioBitrate;
    QLabel* lblAudioSample;
    QComboBox* cbbAudioSample;
    QLabel* lblAudioVolumeGain;
    QComboBox* cbbAudioVolumeGain;
    QLabel* lblAudioChannels;
    QComboBox* cbbAudioChannels;
    QPushButton* btnApply;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RefillProfileNames();
    void SelectLastProfile();
    QList<int> TakeSnapshot() const;

    TControlModels& FModels;
    // Selected indices of the eight option lists, then of the custom-profile box.
    QList<int> FSnapshot;
};
