#include "UnitCustomProc.h"

TCustomProc::TCustomProc(TControlModels& models) : FModels(models) {}
