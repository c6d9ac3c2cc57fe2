#include "EncoderChild.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Spawn attributes and file actions, released whatever happens.
struct TSpawnSetup
{
    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
    TSpawnSetup()
    {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;
};

} // namespace

TEncoderChild::TEncoderChild(const QStringList& argv, const QString& workingFolder)
{
    if (argv.isEmpty())
        throw std::runtime_error("empty command line");
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    std::vector<std::string> args;
    for (const QString& a : argv)
        args.push_back(a.toStdString());
    std::vector<char*> raw;
    for (auto& a : args)
        raw.push_back(a.data());
    raw.push_back(nullptr);

    TSpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.Actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.Actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&setup.Actions, fds[1], 2);
    const std::string folder = workingFolder.toStdString();
    posix_spawn_file_actions_addchdir_np(&setup.Actions, folder.c_str());
    // Its own process group, so a kill reaches anything it starts and Ctrl+C is ours to handle.
    posix_spawnattr_setpgroup(&setup.Attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&setup.Attributes, &defaults);
    posix_spawnattr_setflags(&setup.Attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    const int rc = posix_spawn(&FPid, raw[0], &setup.Actions, &setup.Attributes, raw.data(), environ);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
    }
    FOutput = fds[0];
    fcntl(FOutput, F_SETFL, fcntl(FOutput, F_GETFL) | O_NONBLOCK);
}

TEncoderChild::~TEncoderChild()
{
    if (!FEnded) {
        Kill();
        int status = 0;
        while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (FOutput >= 0)
        ::close(FOutput);
}

bool TEncoderChild::ReadAvailable()
{
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(FOutput, buffer.data(), buffer.size());
        if (n > 0) {
            FPending.append(buffer.data(), static_cast<size_t>(n));
            size_t cut;
            while ((cut = FPending.find_first_of("\r\n")) != std::string::npos) {
                TakeLine(FPending.substr(0, cut));
                FPending.erase(0, cut + 1);
            }
            continue;
        }
        if (n == 0) {
            if (!FPending.empty())
                TakeLine(FPending);
            FPending.clear();
            return false;
        }
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
}

void TEncoderChild::TakeLine(const std::string& line)
{
    if (line.empty())
        return;
    const QString text = QString::fromUtf8(line.c_str());
    if (text.count(QLatin1Char('=')) >= 4)
        FLastProgress = text;
    else
        FLastMessage = text;
}

bool TEncoderChild::Poll()
{
    if (FEnded)
        return true;
    int status = 0;
    const pid_t r = waitpid(FPid, &status, WNOHANG);
    if (r == FPid) {
        FEnded = true;
        FStatus = status;
    }
    return FEnded;
}

void TEncoderChild::Kill()
{
    if (!FEnded && FPid > 0)
        ::kill(-FPid, SIGKILL);
}
