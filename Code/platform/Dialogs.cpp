#include "Dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace {
TDialogs* GDialogs = nullptr;
QString GTitle;
} // namespace

TDialogs::~TDialogs() = default;

TDialogs& Dialogs()
{
    if (!GDialogs) {
        std::fputs("Quorvid: no dialogs installed\n", stderr);
        std::abort();
    }
    return *GDialogs;
}

TDialogs* SetDialogs(TDialogs* dialogs)
{
    TDialogs* previous = GDialogs;
    GDialogs = dialogs;
    return previous;
}

QString ApplicationTitle()
{
    return GTitle;
}

void SetApplicationTitle(const QString& title)
{
    GTitle = title;
}
