// Watching and stopping encoder processes by their executable name.
#include "AppFunc.h"
#include "AppObjects.h"
#include "Platform.h"
#include "ProcessEvents.h"
#include "StrFunc.h"
#include "SysFunc.h"
#include "Unit_CommonLib.h"

namespace {

constexpr int cstKillPauseMs = 500;
// A process that survives SIGKILL this long (stopped in a debugger, stuck in the kernel) is
// left alone, so Stop can never hang the program.
constexpr std::int64_t cstGiveUpMs = 10000;

// A log that cannot be written must not keep Stop from killing the encoder.
void Log(const QString& message)
{
    try {
        AppFunc->WriteLog(message);
    } catch (const std::exception&) {
    }
}

} // namespace

std::int64_t TCommonLib::GetProcessIdByName(const QString& exeName)
{
    const std::int64_t pid = SysFunc->IsProcessRunning(exeName);
    if (pid == 0)
        Log(QStringLiteral("Get Process id error."));
    return pid;
}

bool TCommonLib::EnableDebugPrivilege()
{
    // Our own processes can be signalled without any privilege.
    return true;
}

bool TCommonLib::KillProcessByName(const QString& exeName)
{
    EnableDebugPrivilege();
    const QString wanted = UpperAscii(exeName);
    bool attempted = false;
    bool lastKilled = false;
    for (const TProcessEntry& p : Platform().Processes()) {
        const QString fileName = TStrFunc::TextAfterLast(p.ExePath.isEmpty() ? p.Name : p.ExePath, QLatin1Char('/'));
        if (UpperAscii(fileName) != wanted && UpperAscii(p.Name) != wanted && UpperAscii(p.ExePath) != wanted)
            continue;
        attempted = true;
        lastKilled = Platform().KillProcess(p.Pid);
    }
    if (!attempted || !lastKilled) {
        Log(QStringLiteral("Terminate process error."));
        return false;
    }
    return true;
}

void TCommonLib::StopEncoder(const QString& exePathOrName)
{
    const QString name = TStrFunc::TextAfterLast(exePathOrName, QLatin1Char('/'));
    for (const QString& target : {name, QStringLiteral("fevc")}) {
        const std::int64_t giveUpAt = Platform().MonotonicMs() + cstGiveUpMs;
        while (GetProcessIdByName(target) != 0) {
            if (Platform().MonotonicMs() >= giveUpAt) {
                Log(QStringLiteral("Could not stop ") + target + QStringLiteral(" within 10 seconds; giving up."));
                break;
            }
            KillProcessByName(target);
            Platform().Sleep(cstKillPauseMs);
            ProcessPendingEvents();
        }
    }
}
