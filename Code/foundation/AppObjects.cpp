#include "AppObjects.h"

#include "AppFunc.h"
#include "FileFunc.h"
#include "StrFunc.h"
#include "SysFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

TCustomProc* CustomProc = nullptr;
TCommonLib* CommonLib = nullptr;
TAppFunc* AppFunc = nullptr;
TSysFunc* SysFunc = nullptr;
TStrFunc* StrFunc = nullptr;
TFileFunc* FileFunc = nullptr;

TAppObjects::TAppObjects(TControlModels& models)
{
    FCustomProc = std::make_unique<TCustomProc>(models);
    CustomProc = FCustomProc.get();
    FCommonLib = std::make_unique<TCommonLib>(models, *FCustomProc);
    CommonLib = FCommonLib.get();
    FAppFunc = std::make_unique<TAppFunc>();
    AppFunc = FAppFunc.get();
    FSysFunc = std::make_unique<TSysFunc>();
    SysFunc = FSysFunc.get();
    FStrFunc = std::make_unique<TStrFunc>();
    StrFunc = FStrFunc.get();
    FFileFunc = std::make_unique<TFileFunc>();
    FileFunc = FFileFunc.get();
}

TAppObjects::~TAppObjects()
{
    FileFunc = nullptr;
    StrFunc = nullptr;
    SysFunc = nullptr;
    AppFunc = nullptr;
    CommonLib = nullptr;
    CustomProc = nullptr;
}
