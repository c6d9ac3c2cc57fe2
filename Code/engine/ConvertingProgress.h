#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// A progress bar as the logic sees it. The position always stays within the range.
struct TProgressBarState
{
    int Min = 0;
    int Max = 100;
    int Position = 0;

    void SetMax(int max);
    void SetPosition(int position);
};

// What the progress window shows and does, without widgets: the labels' texts, both bars,
// the status strip and the spinner, and the Stop and close commands. The window TfrmConverting
// shows this model; the batch run and the tests talk to it.
class TConvertingProgress : public QObject
{
    Q_OBJECT
public:
    explicit TConvertingProgress(QObject* parent = nullptr);

    // The window's content, named after the controls that show it.
    QString lblInfo = QStringLiteral("Please wait . . .");
    QString lblCurFileName;
    QString lblPersent = QStringLiteral("Current: 1, Total: ...");
    // Panel 0 of the status strip: the latest chunk of encoder output.
    QString statState;
    TProgressBarState pbTotal;
    TProgressBarState ProgressBar1;

    bool Visible() const { return FVisible; }
    int Phase() const { return FPhase; }

    // Shows the window; FormShow runs only when it was hidden.
    void Show();
    void Hide();
    // Sets the per-file bar back to 0 before the next file.
    void ResetFileBar();

    void FormShow();
    // Runs on the user-interface thread for every chunk, in order.
    void OnEncoderOutput(const QString& chunk);
    void actRefreshProgressExecute();
    void tmrChangingTimer();
    // Stop, after asking.
    void btnStop1Click();
    // The system close command: asks, then hides whatever the answer.
    void FormClose();

signals:
    // Any of the content above changed.
    void Changed();
    void VisibleChanged(bool visible);

private:
    void SetVisible(bool visible);
    void RefreshOverall();
    void RefreshFileBar();

    QTimer FTmrChanging;
    int FPhase = 0;
    bool FVisible = false;
};
