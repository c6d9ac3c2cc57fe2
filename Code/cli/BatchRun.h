#pragma once

#include "BatchOptions.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <vector>

class TControlModels;
class TConsoleDialogs;
class TEncoderChild;

// One source file of the batch and what became of it.
struct TBatchFile
{
    enum TState
    {
        Refused,
        Pending,
        Running,
        Converted,
        Failed,
        Stopped
    };
    QString Source;
    TState State = Pending;
    QString Reason;
    QString Output;
    bool Reserved = false; // the empty output file was made by us
    QString Line;
    QStringList Argv;
    QString Codec;
    QString Extension;
    double Length = 0;  // seconds to convert
    double Done = 0;    // seconds converted so far
    double Seconds = 0; // wall time taken
};

// Converts the files of one command line with the program's own builder, tables, presets,
// profiles and encoder tools, running up to the asked number of encoders at once.
class TBatchRun
{
public:
    TBatchRun(const TBatchOptions& options, TControlModels& models, TConsoleDialogs& dialogs, std::FILE* out);
    ~TBatchRun();

    // Everything; returns the exit status. stopFd becomes readable when the user wants to stop.
    int Run(int stopFd);
    const std::vector<TBatchFile>& Files() const { return FFiles; }

private:
    void ChooseOptions();
    void AddFiles();
    void ApplyTimes();
    void BuildLines();
    void Convert(int stopFd);
    void Start(TBatchFile& file, std::unique_ptr<TEncoderChild>& child);
    void Finish(TBatchFile& file, TEncoderChild& child, bool stopped);
    void ShowProgress(bool force);
    void PrintSummary();

    const TBatchOptions& FOptions;
    TControlModels& FModels;
    TConsoleDialogs& FDialogs;
    std::FILE* FOut;
    bool FTerminal;
    int FShownLines = 0;
    std::vector<TBatchFile> FFiles;
    QString FScriptFolder;
};
