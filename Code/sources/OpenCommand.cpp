#include "OpenCommand.h"

#include "AppObjects.h"
#include "Dialogs.h"
#include "InitFileForm.h"
#include "SourceFiles.h"
#include "UnitCustomProc.h"

TOpenSourceFilesCommand::TOpenSourceFilesCommand(TFrmInitFileForm& busyWindow) : FBusyWindow(busyWindow) {}

void TOpenSourceFilesCommand::Run()
{
    const QStringList chosen =
        DropLaterDuplicates(Dialogs().OpenFiles(CustomProc->ReadInitialFolder(), SourceFileFilter()));
    // A cancelled dialog keeps the file name of the last choice.
    if (!chosen.isEmpty())
        FDialogFileName = chosen.first();
    FBusyWindow.SetFiles(chosen, FDialogFileName);
    FBusyWindow.exec();
    CustomProc->SaveInitialFolder(FDialogFileName);
}
