#include "ProcessEvents.h"

#include <QCoreApplication>

void ProcessPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}
