#include "DropHandler.h"

#include "AppObjects.h"
#include "ErrorHandler.h"
#include "UnitCustomProc.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

TSourceFileDropHandler::TSourceFileDropHandler(QObject* parent) : QObject(parent) {}

void TSourceFileDropHandler::Install(QWidget* widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        area->viewport()->setAcceptDrops(true);
        area->viewport()->installEventFilter(this);
    }
}

QStringList TSourceFileDropHandler::DroppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

bool TSourceFileDropHandler::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFiles(drag->mimeData()).isEmpty())
            break;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        Guarded([&files] { CustomProc->AddSourceFiles(files); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
