#include "QuorvidProgram.h"

#include "InitFileForm.h"
#include "Unit_Convert.h"
#include "Unit_Converting.h"
#include "Unit_Option.h"

TQuorvidProgram::TQuorvidProgram(TMpvOutput previewOutput)
{
    // Owned by the main window, so they sit over it and go with it.
    FMainForm = std::make_unique<TFrmMainForm>(Models, previewOutput);
    FConverting = new TfrmConverting(Progress, FMainForm.get());
    FOption = new TfrmOption(Models, FMainForm.get());
    FInitFileForm = new TFrmInitFileForm(FMainForm.get());
    FMainForm->SetWindows(&Progress, FOption, FInitFileForm);
}

TQuorvidProgram::~TQuorvidProgram() = default;

void TQuorvidProgram::Show()
{
    FMainForm->show();
}
