#include "ControlModels.h"

#include "Platform.h"

QString DefaultOutputFolder()
{
    return Platform().HomeFolder() + QStringLiteral("Quorvid Convert Folder");
}

TControlModels::TControlModels() : edtOutputFolder(DefaultOutputFolder()) {}
