#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// Drags a borderless window by the widgets it watches: the window manager's own move where it
// offers one, a move by hand otherwise (bare X servers and the offscreen platform have none).
class TWindowMover : public QObject
{
    Q_OBJECT
public:
    explicit TWindowMover(QWidget* window);

    // Pressing the left button on the handle starts a move of the window.
    void Watch(QWidget* handle);
    // Starts a move from a press at the global position; true when the window manager took it.
    bool BeginMove(QPoint globalPos);
    bool MovingByHand() const { return FByHand; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> FWindow;
    bool FByHand = false;
    QPoint FGrabOffset;
};
