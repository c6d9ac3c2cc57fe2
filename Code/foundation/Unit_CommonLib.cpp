#include "Unit_CommonLib.h"

#include "Dialogs.h"
#include "Platform.h"

TCommonLib::TCommonLib(TControlModels& models, TCustomProc& customProc)
    : FModels(models), FCustomProc(customProc), FAppPath(Platform().ProgramFolder())
{
}

bool TCommonLib::ShowMsg(const QString& text, int kind)
{
    if (kind < mkError || kind > mkInformation)
        return false;
    return Dialogs().ShowMessage(text, kind);
}
