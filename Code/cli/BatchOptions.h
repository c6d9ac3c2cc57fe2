#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// What the command line of quorvid-batch asks for.
struct TBatchOptions
{
    int OutputType = 0;             // row of the output-type table
    std::optional<int> Quality;     // 0..4
    std::optional<QString> Profile; // a stored custom profile
    // The advanced options, as item texts of their lists.
    std::optional<QString> Size, VideoBitrate, FrameRate, Aspect, AudioBitrate, SampleRate, Volume;
    std::optional<int> Channels;       // 1 or 2
    std::optional<QString> Start, End; // hh:mm:ss
    std::optional<QString> Output;
    int Jobs = 1;
    bool DryRun = false;
    bool Help = false;
    QStringList Files;
};

// A command line that cannot be used; the message names the argument.
class EUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments (without the program name). Throws EUsageError.
TBatchOptions ParseBatchOptions(const QStringList& args, int defaultJobs);

QString BatchUsage();
