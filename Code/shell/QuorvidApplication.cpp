#include "QuorvidApplication.h"

#include "ErrorHandler.h"

TQuorvidApplication::TQuorvidApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TQuorvidApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportException(e);
    } catch (...) {
        ReportUnknownException();
    }
    return false;
}
