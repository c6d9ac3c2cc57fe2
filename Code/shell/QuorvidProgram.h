#pragma once

#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "MpvGraph.h"

#include <memory>

class TFrmInitFileForm;
class TFrmMainForm;
class TfrmConverting;
class TfrmOption;

// The program's windows, created in their order: the main window, the progress window, the
// Options dialog and the busy window. They live for the whole run and are shown and hidden.
class TQuorvidProgram
{
public:
    explicit TQuorvidProgram(TMpvOutput previewOutput = {});
    ~TQuorvidProgram();
    TQuorvidProgram(const TQuorvidProgram&) = delete;
    TQuorvidProgram& operator=(const TQuorvidProgram&) = delete;

    // Shows the main window; its first showing runs the splash and the start-up.
    void Show();

    TControlModels Models;
    TConvertingProgress Progress;
    TFrmMainForm* FrmMainForm() const { return FMainForm.get(); }
    TfrmConverting* frmConverting() const { return FConverting; }
    TfrmOption* frmOption() const { return FOption; }
    TFrmInitFileForm* FrmInitFileForm() const { return FInitFileForm; }

private:
    std::unique_ptr<TFrmMainForm> FMainForm;
    TfrmConverting* FConverting;
    TfrmOption* FOption;
    TFrmInitFileForm* FInitFileForm;
};
