#include "FakePlatform.h"

#include <algorithm>
#include <thread>

TFakePlatform::TFakePlatform()
    : FProgramFolder(QStringLiteral("/nonexistent/quorvid/")), FHomeFolder(QStringLiteral("/nonexistent/home/")),
      FNow(QDate(2026, 3, 14), QTime(9, 26, 53))
{
}

QDateTime TFakePlatform::Now() const
{
    return FNow.addMSecs(FMonotonicMs - 1000);
}

void TFakePlatform::Sleep(int ms)
{
    Sleeps.push_back(ms);
    if (ms > 0)
        FMonotonicMs += ms;
    if (RealSleepCapMs > 0 && ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, RealSleepCapMs)));
    if (OnSleep)
        OnSleep(ms);
}

std::vector<TProcessEntry> TFakePlatform::Processes() const
{
    std::vector<TProcessEntry> result;
    if (FProcessScope.isEmpty())
        return result;
    for (const auto& p : TLinuxPlatform::Processes())
        if (p.ExePath.startsWith(FProcessScope))
            result.push_back(p);
    return result;
}

bool TFakePlatform::KillProcess(std::int64_t pid)
{
    const auto inScope = Processes();
    const bool mine = std::any_of(inScope.begin(), inScope.end(), [pid](const auto& p) { return p.Pid == pid; });
    if (!mine)
        return false;
    Killed.push_back(pid);
    return TLinuxPlatform::KillProcess(pid);
}

bool TFakePlatform::OpenUrl(const QString& target)
{
    OpenedUrls << target;
    return true;
}

bool TFakePlatform::PowerOff()
{
    ++PowerOffCount;
    return true;
}

void TFakePlatform::ExitProcess(int code)
{
    ExitCodes.push_back(code);
}

void TFakePlatform::SetProgramFolder(const QString& folder)
{
    FProgramFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void TFakePlatform::SetHomeFolder(const QString& folder)
{
    FHomeFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
