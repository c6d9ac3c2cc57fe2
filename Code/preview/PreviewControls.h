#pragma once

#include <QObject>

class QAbstractButton;
class QLabel;
class QProgressBar;
class QWidget;
class TDSTrackBar;
class TDSVideoWindowEx2;
class TPreviewPlayer;

// Shows the preview player on the main window's controls and hands their events to it: the
// logo panel of the video window, the time display pnlCurTime, the hidden pbPlayState, the
// position bar's tick and the Play, Pause and Stop buttons. Any of the widgets may be null.
class TPreviewControls : public QObject
{
    Q_OBJECT
public:
    TPreviewControls(TPreviewPlayer& player, TDSVideoWindowEx2* videoWindow, QLabel* pnlCurTime,
                     QProgressBar* pbPlayState, TDSTrackBar* dstrckbrMainform, QObject* parent = nullptr);

    void BindButtons(QAbstractButton* btnPlay, QAbstractButton* btnPause, QAbstractButton* btnStop);

    // The time display as the main window shows it: white 14-pixel Arial on black, 72 x 17.
    static QLabel* CreateCurTimePanel(QWidget* parent);

private:
    void Refresh();

    TPreviewPlayer& FPlayer;
    TDSVideoWindowEx2* FVideoWindow;
    QLabel* FCurTime;
    QProgressBar* FPlayState;
};
