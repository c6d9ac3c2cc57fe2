#pragma once

#include "LinuxPlatform.h"

#include <QStringList>
#include <functional>

// Test double: real file-system services, a virtual clock, and nothing that reaches beyond
// the test. Process lookups see only the processes whose executable lies under the process
// scope folder (empty: none), and only those can be killed. Power-off, exit and opening
// addresses are recorded, never carried out.
class TFakePlatform : public TLinuxPlatform
{
public:
    TFakePlatform();

    QString ProgramFolder() const override { return FProgramFolder; }
    QString HomeFolder() const override { return FHomeFolder; }

    QDateTime Now() const override;
    std::int64_t MonotonicMs() const override { return FMonotonicMs; }
    void Sleep(int ms) override;

    std::vector<TProcessEntry> Processes() const override;
    bool KillProcess(std::int64_t pid) override;

    bool OpenUrl(const QString& target) override;
    bool PowerOff() override;
    void ExitProcess(int code) override;
    void TrimMemory() override { ++TrimCount; }

    // Set up by the test.
    void SetProgramFolder(const QString& folder);
    void SetHomeFolder(const QString& folder);
    void SetNow(const QDateTime& now) { FNow = now; }
    void SetProcessScope(const QString& folder) { FProcessScope = folder; }
    // Runs on every Sleep, after the clock has moved (for example to let a fake encoder end).
    std::function<void(int)> OnSleep;
    // When set, Sleep also really waits this many ms at most, so real children can progress.
    int RealSleepCapMs = 0;

    // What happened.
    std::vector<int> Sleeps;
    QStringList OpenedUrls;
    int PowerOffCount = 0;
    std::vector<int> ExitCodes;
    int TrimCount = 0;
    std::vector<std::int64_t> Killed;

private:
    QString FProgramFolder;
    QString FHomeFolder;
    QDateTime FNow;
    std::int64_t FMonotonicMs = 1000;
    QString FProcessScope;
};
