#include "PreviewControls.h"

#include "DSTrackBar.h"
#include "DSVideoWindowEx2.h"
#include "ErrorHandler.h"
#include "PreviewPlayer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <limits>

TPreviewControls::TPreviewControls(TPreviewPlayer& player, TDSVideoWindowEx2* videoWindow, QLabel* pnlCurTime,
                                   QProgressBar* pbPlayState, TDSTrackBar* dstrckbrMainform, QObject* parent)
    : QObject(parent), FPlayer(player), FVideoWindow(videoWindow), FCurTime(pnlCurTime), FPlayState(pbPlayState)
{
    connect(&FPlayer, &TPreviewPlayer::Changed, this, [this] { Refresh(); });
    if (dstrckbrMainform)
        connect(dstrckbrMainform, &TDSTrackBar::OnTimer, this, GuardedSlot([this](quint32 position, quint32 duration) {
                    FPlayer.dstrckbrMainformTimer(position, duration);
                }));
    Refresh();
}

void TPreviewControls::BindButtons(QAbstractButton* btnPlay, QAbstractButton* btnPause, QAbstractButton* btnStop)
{
    if (btnPlay)
        connect(btnPlay, &QAbstractButton::clicked, this, GuardedSlot([this](bool) { FPlayer.btnPlayClick(); }));
    if (btnPause)
        connect(btnPause, &QAbstractButton::clicked, this, GuardedSlot([this](bool) { FPlayer.btnPauseClick(); }));
    if (btnStop)
        connect(btnStop, &QAbstractButton::clicked, this, GuardedSlot([this](bool) { FPlayer.btnStopClick(); }));
}

QLabel* TPreviewControls::CreateCurTimePanel(QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("00:00:00"), parent);
    label->setObjectName(QStringLiteral("pnlCurTime"));
    label->setFixedSize(72, 17);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    label->setFont(font);
    return label;
}

void TPreviewControls::Refresh()
{
    if (FVideoWindow)
        FVideoWindow->panLogo()->setVisible(FPlayer.LogoVisible());
    if (FCurTime && FCurTime->text() != FPlayer.CurTimeText())
        FCurTime->setText(FPlayer.CurTimeText());
    if (FPlayState) {
        // The bar counts in int; durations past 24 days are shown in seconds.
        const bool seconds = FPlayer.PlayStateMax() > static_cast<quint32>(std::numeric_limits<int>::max());
        const int scale = seconds ? 1000 : 1;
        FPlayState->setRange(0, static_cast<int>(FPlayer.PlayStateMax() / scale));
        FPlayState->setValue(static_cast<int>(std::min(FPlayer.PlayStatePosition(), FPlayer.PlayStateMax()) / scale));
    }
}
