#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

// One entry of a folder listing, with the one attribute that the unique-name search looks at.
struct TFolderEntry
{
    QString Name;
    // A folder that is neither hidden nor read-only for its owner; such entries do not block a name.
    bool IsPlainFolder = false;
};

// One running process as the process walk reports it.
struct TProcessEntry
{
    std::int64_t Pid = 0;
    QString Name;    // executable file name without folder
    QString ExePath; // full path of the executable, empty when it cannot be read
};

// The operating-system services the program uses, behind one interface so that tests can
// answer them without touching the machine. The implementation is chosen once, in main().
class TPlatform
{
public:
    virtual ~TPlatform();

    // Folder of the running executable, with a trailing "/".
    virtual QString ProgramFolder() const = 0;
    // The user's home folder, with a trailing "/".
    virtual QString HomeFolder() const = 0;

    // False when the folder cannot be listed; "." and ".." are never reported.
    virtual bool ListFolder(const QString& folder, std::vector<TFolderEntry>& entries) const = 0;
    // Creates the folder and every missing parent; true when it exists afterwards.
    virtual bool ForceDirectories(const QString& folder) = 0;
    virtual bool FolderExists(const QString& folder) const = 0;
    // Removes an empty folder.
    virtual bool RemoveFolder(const QString& folder) = 0;

    virtual QDateTime Now() const = 0;
    virtual std::int64_t MonotonicMs() const = 0;
    virtual void Sleep(int ms) = 0;

    // The current user's processes, zombies left out.
    virtual std::vector<TProcessEntry> Processes() const = 0;
    virtual bool KillProcess(std::int64_t pid) = 0;

    // Opens a folder, a file or an address with the desktop's default handler.
    virtual bool OpenUrl(const QString& target) = 0;
    virtual bool PowerOff() = 0;
    // Ends the program at once, without running the ordinary close path.
    virtual void ExitProcess(int code) = 0;
    // Hands unused heap pages back to the system.
    virtual void TrimMemory() = 0;

    // Dynamic libraries; Symbol returns nullptr when the library or the export is missing.
    virtual void* LoadLibrary(const QString& path) = 0;
    virtual void* Symbol(void* library, const char* name) = 0;
    virtual void FreeLibrary(void* library) = 0;
};

// The implementation in force. Aborts when none has been installed: tests must never fall
// back to the real one by accident.
TPlatform& Platform();
// Installs the implementation (not owned); returns the previous one.
TPlatform* SetPlatform(TPlatform* platform);
