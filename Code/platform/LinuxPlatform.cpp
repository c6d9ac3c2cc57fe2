#include "LinuxPlatform.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

QString WithSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

struct TDirCloser
{
    void operator()(DIR* d) const { closedir(d); }
};
using TDirHandle = std::unique_ptr<DIR, TDirCloser>;

std::string ReadSmallFile(const std::string& path)
{
    std::string text;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    std::array<char, 512> buffer{};
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<size_t>(n));
    ::close(fd);
    return text;
}

// Starts a program detached from ours: the grandchild is reparented, so nothing is left to reap.
bool SpawnDetached(const std::vector<std::string>& args)
{
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            std::vector<char*> argv;
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            int devnull = ::open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, 0);
                dup2(devnull, 1);
                dup2(devnull, 2);
            }
            execvp(argv[0], argv.data());
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

QString TLinuxPlatform::ProgramFolder() const
{
    std::array<char, 4096> buffer{};
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return QStringLiteral("./");
    QString exe = QString::fromUtf8(buffer.data(), n);
    return WithSlash(exe.left(exe.lastIndexOf(QLatin1Char('/'))));
}

QString TLinuxPlatform::HomeFolder() const
{
    return WithSlash(QDir::homePath());
}

bool TLinuxPlatform::ListFolder(const QString& folder, std::vector<TFolderEntry>& entries) const
{
    entries.clear();
    const QByteArray path = folder.toUtf8();
    TDirHandle dir(opendir(path.constData()));
    if (!dir)
        return false;
    const std::string base = WithSlash(folder).toStdString();
    while (dirent* e = readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st
        {
        };
        bool plain = false;
        if (lstat((base + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            plain = name[0] != '.' && (st.st_mode & S_IWUSR) != 0;
        entries.push_back({QString::fromUtf8(name.c_str()), plain});
    }
    return true;
}

bool TLinuxPlatform::ForceDirectories(const QString& folder)
{
    return QDir().mkpath(folder);
}

bool TLinuxPlatform::FolderExists(const QString& folder) const
{
    return QFileInfo(folder).isDir();
}

bool TLinuxPlatform::RemoveFolder(const QString& folder)
{
    return ::rmdir(folder.toUtf8().constData()) == 0;
}

QDateTime TLinuxPlatform::Now() const
{
    return QDateTime::currentDateTime();
}

std::int64_t TLinuxPlatform::MonotonicMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TLinuxPlatform::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<TProcessEntry> TLinuxPlatform::Processes() const
{
    std::vector<TProcessEntry> result;
    TDirHandle proc(opendir("/proc"));
    if (!proc)
        return result;
    const uid_t me = getuid();
    while (dirent* e = readdir(proc.get())) {
        char* end = nullptr;
        const long pid = std::strtol(e->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        const std::string dir = std::string("/proc/") + e->d_name;
        struct stat st
        {
        };
        if (stat(dir.c_str(), &st) != 0 || st.st_uid != me)
            continue;
        // The state letter follows the parenthesised command name, which may itself hold ")".
        const std::string stat = ReadSmallFile(dir + "/stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos || close + 2 >= stat.size())
            continue;
        const char state = stat[close + 2];
        if (state == 'Z' || state == 'X')
            continue;
        TProcessEntry entry;
        entry.Pid = pid;
        std::array<char, 4096> buffer{};
        ssize_t n = readlink((dir + "/exe").c_str(), buffer.data(), buffer.size() - 1);
        if (n > 0) {
            QString exe = QString::fromUtf8(buffer.data(), n);
            if (exe.endsWith(QLatin1String(" (deleted)")))
                exe.chop(10);
            entry.ExePath = exe;
            entry.Name = exe.mid(exe.lastIndexOf(QLatin1Char('/')) + 1);
        } else {
            std::string comm = ReadSmallFile(dir + "/comm");
            while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r'))
                comm.pop_back();
            entry.Name = QString::fromUtf8(comm.c_str());
        }
        result.push_back(entry);
    }
    return result;
}

bool TLinuxPlatform::KillProcess(std::int64_t pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}

bool TLinuxPlatform::OpenUrl(const QString& target)
{
    return SpawnDetached({"xdg-open", target.toStdString()});
}

bool TLinuxPlatform::PowerOff()
{
    return SpawnDetached({"systemctl", "poweroff"});
}

void TLinuxPlatform::ExitProcess(int code)
{
    std::_Exit(code);
}

void TLinuxPlatform::TrimMemory()
{
    malloc_trim(0);
}

void* TLinuxPlatform::LoadLibrary(const QString& path)
{
    return dlopen(path.toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
}

void* TLinuxPlatform::Symbol(void* library, const char* name)
{
    return library ? dlsym(library, name) : nullptr;
}

void TLinuxPlatform::FreeLibrary(void* library)
{
    if (library)
        dlclose(library);
}
