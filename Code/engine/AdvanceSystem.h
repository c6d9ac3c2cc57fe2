#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

// Receives one chunk of the encoder's captured output.
using TChunkHandler = std::function<void(const QString& chunk)>;

// How one encoder run ended, as its parent saw it.
struct TRunOutcome
{
    enum TKind
    {
        NotStarted, // a pipe or the process could not be made
        Exited,     // Status holds the exit status
        Signalled,  // Status holds the signal number
    };
    TKind Kind = NotStarted;
    int Status = 0;
    // The last non-blank line of everything read from the encoder, the reason on failure.
    QString LastLine;

    bool Succeeded() const { return Kind == Exited && Status == 0; }
};

// Runs the command line as a child process in the program folder, with stdout and stderr on
// one pipe and stdin on a pipe nobody writes, and hands the captured output to onChunk (on
// the calling thread) until the child has ended. True when the child was started and has
// ended; false, with nothing left open, when a pipe or the process could not be made.
bool RunAndCapture(const QString& commandLine, const TChunkHandler& onChunk, TRunOutcome* outcome = nullptr);

// One encoder run on a worker thread. Created suspended; start() runs it; the destructor
// waits for the thread. Every chunk is handed to the thread of the context object through a
// queued call, in order and never waited for. The context must outlive the runner; calls
// still queued when it is destroyed are dropped.
class TAdvanceSystem : public QThread
{
    Q_OBJECT
public:
    TAdvanceSystem(const QString& commandLine, TChunkHandler onChunk, QObject* context = nullptr);
    ~TAdvanceSystem() override;
    TAdvanceSystem(const TAdvanceSystem&) = delete;
    TAdvanceSystem& operator=(const TAdvanceSystem&) = delete;

    // Valid once the thread has finished.
    const TRunOutcome& Outcome() const { return FOutcome; }

protected:
    void run() override;

private:
    const QString FCommandLine;
    const TChunkHandler FOnChunk;
    QObject* const FContext;
    TRunOutcome FOutcome;
};
