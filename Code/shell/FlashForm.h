#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <functional>

class QLabel;

// The splash: a borderless picture centred on the desktop. 250 ms after it shows, it runs the
// start-up sequence, then stays until its second timer has ticked twice.
class TFrmFlashForm : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmFlashForm(QWidget* owner);

    // Places the picture at the top left and sizes the window to it.
    void LoadPicture(const QImage& picture);
    // Run by the first Timer1 tick.
    std::function<void()> OnStartUp;

    QLabel* ImgFlash;
    QTimer Timer1;
    QTimer Timer2;
    int Tick() const { return FTick; }

    void FormShow();
    void Timer1Timer();
    void Timer2Timer();

protected:
    void showEvent(QShowEvent* event) override;
    // Esc and the close box leave the splash alone: only the start-up ends it.
    void reject() override {}

private:
    int FTick = 0;
};
