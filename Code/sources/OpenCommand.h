#pragma once

#include <QString>

class TFrmInitFileForm;

// The Open command: the open dialog in the last folder, then the busy window that adds the
// chosen files (shown even when the dialog was cancelled), then the folder stored.
class TOpenSourceFilesCommand
{
public:
    explicit TOpenSourceFilesCommand(TFrmInitFileForm& busyWindow);

    void Run();
    // The dialog's file name as it stands after the last run (the first chosen file).
    const QString& DialogFileName() const { return FDialogFileName; }

private:
    TFrmInitFileForm& FBusyWindow;
    QString FDialogFileName;
};
