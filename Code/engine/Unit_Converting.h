#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class TConvertingProgress;

// The progress window: shows a TConvertingProgress and passes Stop and close to it.
class TfrmConverting : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmConverting(TConvertingProgress& model, QWidget* parent = nullptr);

    QLabel* lblInfo;
    QLabel* lblCurConvertFileL;
    QLabel* lblCurFileName;
    QLabel* lblTotalFilr;
    QProgressBar* pbTotal;
    QLabel* lblCurprog;
    QProgressBar* ProgressBar1;
    QLabel* lblPersent;
    QPushButton* btnStop;
    QLabel* statState;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Refresh();
    void FollowVisibility(bool visible);

    TConvertingProgress& FModel;
    // Set while the model itself hides the window, so the hide is not taken for a close.
    bool FHidingByModel = false;
};
