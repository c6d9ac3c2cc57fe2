#pragma once

#include <memory>

class TControlModels;
class TCustomProc;
class TCommonLib;
class TAppFunc;
class TSysFunc;
class TStrFunc;
class TFileFunc;

// The long-lived objects, one each, reachable from every part of the program.
extern TCustomProc* CustomProc;
extern TCommonLib* CommonLib;
extern TAppFunc* AppFunc;
extern TSysFunc* SysFunc;
extern TStrFunc* StrFunc;
extern TFileFunc* FileFunc;

// Creates the long-lived objects in their order (TCustomProc, TCommonLib, TAppFunc, TSysFunc,
// TStrFunc, TFileFunc), publishes them, and withdraws them again when destroyed.
class TAppObjects
{
public:
    explicit TAppObjects(TControlModels& models);
    ~TAppObjects();
    TAppObjects(const TAppObjects&) = delete;
    TAppObjects& operator=(const TAppObjects&) = delete;

private:
    std::unique_ptr<TCustomProc> FCustomProc;
    std::unique_ptr<TCommonLib> FCommonLib;
    std::unique_ptr<TAppFunc> FAppFunc;
    std::unique_ptr<TSysFunc> FSysFunc;
    std::unique_ptr<TStrFunc> FStrFunc;
    std::unique_ptr<TFileFunc> FFileFunc;
};
