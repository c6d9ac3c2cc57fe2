#include "WindowMover.h"

#include "ErrorHandler.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

TWindowMover::TWindowMover(QWidget* window) : QObject(window), FWindow(window) {}

void TWindowMover::Watch(QWidget* handle)
{
    handle->installEventFilter(this);
}

bool TWindowMover::BeginMove(QPoint globalPos)
{
    FByHand = false;
    if (!FWindow)
        return false;
    if (QWindow* handle = FWindow->windowHandle(); handle && handle->startSystemMove())
        return true;
    FByHand = true;
    FGrabOffset = globalPos - FWindow->frameGeometry().topLeft();
    return false;
}

bool TWindowMover::eventFilter(QObject*, QEvent* event)
{
    bool handled = false;
    Guarded([&] {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                BeginMove(mouse->globalPosition().toPoint());
                handled = true;
            }
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (FByHand && FWindow && (mouse->buttons() & Qt::LeftButton)) {
                FWindow->move(mouse->globalPosition().toPoint() - FGrabOffset);
                handled = true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (FByHand) {
                FByHand = false;
                handled = true;
            }
            break;
        default:
            break;
        }
    });
    return handled;
}
