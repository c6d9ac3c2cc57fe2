#pragma once

#include "ChoiceList.h"
#include "Flags.h"
#include "SourceList.h"

// The controls that the logic reads and writes, named after the controls that show them.
// The main window and the Options dialog bind their widgets to these.
class TControlModels
{
public:
    TControlModels();

    // Main window.
    TChoiceList cbbOutputFiletype;
    TChoiceList cbbProfile;
    TTextFieldModel edtOutputFolder;
    TCheckBoxModel chkShutdown{false};
    TCheckBoxModel chkShowOutputDirectory{true};
    TSourceList dxTreeSourceFileInfo;
    // Whether the main window takes input; the batch run turns it off while it converts.
    TCheckBoxModel MainFormEnabled{true};

    // Options dialog.
    TChoiceList cbbVideoSize;
    TChoiceList cbbVideoBitrate;
    TChoiceList cbbFramerate;
    TChoiceList cbbAspectratio;
    TChoiceList cbbAudioBitrate;
    TChoiceList cbbAudioSample;
    TChoiceList cbbAudioVolumeGain;
    TChoiceList cbbAudioChannels;
    TChoiceList cbbCustomProfile{true};
};

// The output folder's design text: "Quorvid Convert Folder" in the user's home folder.
QString DefaultOutputFolder();
