#include "ErrorHandler.h"

#include "Dialogs.h"
#include "Errors.h"

void ReportException(const std::exception& e)
{
    try {
        if (const auto* own = dynamic_cast<const Exception*>(&e))
            Dialogs().ShowError(own->Message());
        else
            Dialogs().ShowError(QString::fromUtf8(e.what()));
    } catch (...) {
        // The report itself must never fail the event loop.
    }
}

void ReportUnknownException()
{
    try {
        Dialogs().ShowError(QStringLiteral("Unknown error."));
    } catch (...) {
    }
}
