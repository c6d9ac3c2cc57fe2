#include "FlashForm.h"

#include "ErrorHandler.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

TFrmFlashForm::TFrmFlashForm(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmFlashForm"));
    setModal(true);
    ImgFlash = new QLabel(this);
    ImgFlash->setObjectName(QStringLiteral("ImgFlash"));
    ImgFlash->move(0, 0);
    Timer1.setInterval(250);
    Timer1.setSingleShot(false);
    Timer2.setInterval(1000);
    // Coarse timers may fire up to 5 % early; the splash's two ticks are its minimum time.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer2.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    connect(&Timer2, &QTimer::timeout, this, [this] { Guarded([this] { Timer2Timer(); }); });
    // Without a picture the splash keeps a plain face of the usual size.
    setStyleSheet(QStringLiteral("QDialog { background: rgb(26, 30, 40); }"));
    setFixedSize(480, 280);
}

void TFrmFlashForm::LoadPicture(const QImage& picture)
{
    ImgFlash->setPixmap(QPixmap::fromImage(picture));
    ImgFlash->resize(picture.size());
    setFixedSize(picture.size());
}

void TFrmFlashForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
    Guarded([this] { FormShow(); });
}

void TFrmFlashForm::FormShow()
{
    FTick = 0;
    Timer1.start();
    Timer2.start();
}

void TFrmFlashForm::Timer2Timer()
{
    ++FTick;
}

void TFrmFlashForm::Timer1Timer()
{
    Timer1.stop();
    // An error in the start-up sequence is reported; the splash still closes afterwards, or the
    // program would hang behind it.
    if (OnStartUp)
        Guarded(OnStartUp);
    while (FTick < 2)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer2.stop();
    accept();
}
