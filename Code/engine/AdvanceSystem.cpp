#include "AdvanceSystem.h"

#include "CommandLine.h"
#include "ErrorHandler.h"
#include "Platform.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int cstPieceSize = 1023;
constexpr int cstPauseAfterChunkMs = 500;
constexpr int cstIdleWaitMs = 100;
// Enough of the output's end to hold the encoder's last line.
constexpr qsizetype cstTailSize = 4096;

class TFd
{
public:
    TFd() = default;
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() { Reset(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    void Reset()
    {
        if (FFd >= 0)
            ::close(FFd);
        FFd = -1;
    }

private:
    int FFd = -1;
};

class TSpawnActions
{
public:
    TSpawnActions() { FOk = posix_spawn_file_actions_init(&FActions) == 0; }
    ~TSpawnActions()
    {
        if (FOk)
            posix_spawn_file_actions_destroy(&FActions);
    }
    TSpawnActions(const TSpawnActions&) = delete;
    TSpawnActions& operator=(const TSpawnActions&) = delete;
    bool Ok() const { return FOk; }
    posix_spawn_file_actions_t* Get() { return &FActions; }

private:
    posix_spawn_file_actions_t FActions{};
    bool FOk = false;
};

class TSpawnAttributes
{
public:
    TSpawnAttributes() { FOk = posix_spawnattr_init(&FAttr) == 0; }
    ~TSpawnAttributes()
    {
        if (FOk)
            posix_spawnattr_destroy(&FAttr);
    }
    TSpawnAttributes(const TSpawnAttributes&) = delete;
    TSpawnAttributes& operator=(const TSpawnAttributes&) = delete;
    bool Ok() const { return FOk; }
    posix_spawnattr_t* Get() { return &FAttr; }

private:
    posix_spawnattr_t FAttr{};
    bool FOk = false;
};

int BytesWaiting(int fd)
{
    int waiting = 0;
    if (::ioctl(fd, FIONREAD, &waiting) != 0)
        return 0;
    return waiting;
}

QByteArray ReadPiece(int fd)
{
    QByteArray piece(cstPieceSize, '\0');
    ssize_t n;
    do {
        n = ::read(fd, piece.data(), cstPieceSize);
    } while (n < 0 && errno == EINTR);
    piece.resize(n > 0 ? n : 0);
    return piece;
}

// The text handed over ends at the first zero byte.
QString ChunkText(const QByteArray& piece)
{
    const qsizetype zero = piece.indexOf('\0');
    return QString::fromUtf8(zero < 0 ? piece : piece.left(zero));
}

QString LastLineOf(QByteArray tail)
{
    tail.replace('\0', ' ');
    const QString text = QString::fromUtf8(tail);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (!it->trimmed().isEmpty())
            return it->trimmed();
    return {};
}

QString ProgramFolderWithoutSlash()
{
    QString folder = Platform().ProgramFolder();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

bool RunAndCapture(const QString& commandLine, const TChunkHandler& onChunk, TRunOutcome* outcome)
{
    TRunOutcome local;
    TRunOutcome& result = outcome ? *outcome : local;
    result = TRunOutcome();

    const QStringList args = SplitCommandLine(commandLine);
    if (args.isEmpty())
        return false;

    int inEnds[2];
    if (::pipe2(inEnds, O_CLOEXEC) != 0)
        return false;
    TFd inRead(inEnds[0]);
    TFd inWrite(inEnds[1]);
    int outEnds[2];
    if (::pipe2(outEnds, O_CLOEXEC) != 0)
        return false;
    TFd outRead(outEnds[0]);
    TFd outWrite(outEnds[1]);

    TSpawnActions actions;
    TSpawnAttributes attributes;
    if (!actions.Ok() || !attributes.Ok())
        return false;
    const QByteArray folder = ProgramFolderWithoutSlash().toUtf8();
    posix_spawn_file_actions_adddup2(actions.Get(), inRead.Get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), outWrite.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), outWrite.Get(), STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(actions.Get(), folder.constData());
    // Its own process group, and a clean signal state whatever our threads have blocked.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setpgroup(attributes.Get(), 0);
    posix_spawnattr_setsigmask(attributes.Get(), &noSignals);
    posix_spawnattr_setsigdefault(attributes.Get(), &defaults);
    posix_spawnattr_setflags(attributes.Get(), POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<QByteArray> argBytes;
    argBytes.reserve(size_t(args.size()));
    for (const QString& a : args)
        argBytes.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], actions.Get(), attributes.Get(), argv.data(), environ) != 0)
        return false;
    // The child holds its own copies; ours would only keep the pipe from ever reporting hang-up.
    inRead.Reset();
    outWrite.Reset();

    const int fd = outRead.Get();
    QByteArray tail;
    bool running = true;
    int status = 0;
    for (;;) {
        // The exit status is read before the pipe is looked into, so output written just
        // before the end is still delivered in the last pass.
        const pid_t waited = ::waitpid(pid, &status, WNOHANG);
        if (waited == pid) {
            running = false;
        } else if (waited < 0 && errno != EINTR) {
            running = false;
            status = -1;
        }

        const int waiting = BytesWaiting(fd);
        if (waiting > 0) {
            QByteArray piece;
            if (waiting <= cstPieceSize) {
                piece = ReadPiece(fd);
                tail += piece;
            } else {
                // Only the newest piece of a burst matters for progress; the rest is dropped.
                do {
                    piece = ReadPiece(fd);
                    tail += piece;
                } while (piece.size() == cstPieceSize && BytesWaiting(fd) > 0);
            }
            if (tail.size() > cstTailSize)
                tail = tail.right(cstTailSize);
            onChunk(ChunkText(piece));
            std::this_thread::sleep_for(std::chrono::milliseconds(cstPauseAfterChunkMs));
        } else if (running) {
            // Waiting on the pipe instead of spinning: output is still seen at once, but a
            // silent encoder costs no CPU.
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, cstIdleWaitMs);
            if (ready > 0 && (p.revents & POLLIN) == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(cstIdleWaitMs));
        }
        if (!running)
            break;
    }

    if (status == -1) {
        result.Kind = TRunOutcome::Exited;
        result.Status = -1;
    } else if (WIFSIGNALED(status)) {
        result.Kind = TRunOutcome::Signalled;
        result.Status = WTERMSIG(status);
    } else {
        result.Kind = TRunOutcome::Exited;
        result.Status = WEXITSTATUS(status);
    }
    result.LastLine = LastLineOf(tail);
    return true;
}

TAdvanceSystem::TAdvanceSystem(const QString& commandLine, TChunkHandler onChunk, QObject* context)
    : FCommandLine(commandLine), FOnChunk(std::move(onChunk)),
      FContext(context ? context : QCoreApplication::instance())
{
}

TAdvanceSystem::~TAdvanceSystem()
{
    wait();
}

void TAdvanceSystem::run()
{
    QObject* const context = FContext;
    const TChunkHandler handler = FOnChunk;
    RunAndCapture(
        FCommandLine,
        [context, handler](const QString& chunk) {
            if (!context || !handler)
                return;
            QMetaObject::invokeMethod(
                context, [handler, chunk] { Guarded([&] { handler(chunk); }); }, Qt::QueuedConnection);
        },
        &FOutcome);
}
