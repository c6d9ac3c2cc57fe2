#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <sys/types.h>

// One encoder process of our own, with its output on one pipe. Killing reaches its whole
// process group; the destructor kills and reaps a child that is still running.
class TEncoderChild
{
public:
    // Starts argv[0] with the arguments in the working folder; throws std::runtime_error.
    TEncoderChild(const QStringList& argv, const QString& workingFolder);
    ~TEncoderChild();
    TEncoderChild(const TEncoderChild&) = delete;
    TEncoderChild& operator=(const TEncoderChild&) = delete;

    int OutputFd() const { return FOutput; }
    // Reads what is waiting (never blocks); false at the end of the output.
    bool ReadAvailable();
    // The newest complete line that reads as progress, and the newest other line.
    const QString& LastProgressLine() const { return FLastProgress; }
    const QString& LastMessageLine() const { return FLastMessage; }

    // True once the process has ended; Status() is then its wait status.
    bool Poll();
    int Status() const { return FStatus; }
    void Kill();
    pid_t Pid() const { return FPid; }

private:
    void TakeLine(const std::string& line);

    pid_t FPid = -1;
    int FOutput = -1;
    bool FEnded = false;
    int FStatus = 0;
    std::string FPending;
    QString FLastProgress;
    QString FLastMessage;
};
