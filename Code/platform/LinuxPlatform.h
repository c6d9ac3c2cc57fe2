#pragma once

#include "Platform.h"

class TLinuxPlatform : public TPlatform
{
public:
    QString ProgramFolder() const override;
    QString HomeFolder() const override;

    bool ListFolder(const QString& folder, std::vector<TFolderEntry>& entries) const override;
    bool ForceDirectories(const QString& folder) override;
    bool FolderExists(const QString& folder) const override;
    bool RemoveFolder(const QString& folder) override;

    QDateTime Now() const override;
    std::int64_t MonotonicMs() const override;
    void Sleep(int ms) override;

    std::vector<TProcessEntry> Processes() const override;
    bool KillProcess(std::int64_t pid) override;

    bool OpenUrl(const QString& target) override;
    bool PowerOff() override;
    void ExitProcess(int code) override;
    void TrimMemory() override;

    void* LoadLibrary(const QString& path) override;
    void* Symbol(void* library, const char* name) override;
    void FreeLibrary(void* library) override;
};
