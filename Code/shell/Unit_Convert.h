#pragma once

#include "MpvGraph.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class TAppObjects;
class TBitmapButton;
class TControlModels;
class TConvertingProgress;
class TDSTrackBar;
class TDSVideoWindowEx2;
class TFrmInitFileForm;
class TOpenSourceFilesCommand;
class TPreviewControls;
class TPreviewPlayer;
class TRangeBar;
class TRangeBarPanel;
class TSkinnedPanel;
class TSourceFileDropHandler;
class TSourceListView;
class TWindowMover;
class TfrmOption;

// The main window: a borderless panel shaped by its background picture. Its first showing runs
// the splash and the start-up; closing it stops the preview, saves the user settings and ends
// the process.
class TFrmMainForm : public QWidget
{
    Q_OBJECT
public:
    TFrmMainForm(TControlModels& models, TMpvOutput previewOutput = {});
    ~TFrmMainForm() override;

    // The windows created after this one, which its commands show.
    void SetWindows(TConvertingProgress* progress, TfrmOption* option, TFrmInitFileForm* busyWindow);

    // The design frame the controls are placed in, and the smallest the window may become.
    static constexpr int cstDesignWidth = 690;
    static constexpr int cstDesignHeight = 454;
    static constexpr int cstMinWidth = 686;
    static constexpr int cstMinHeight = 519;

    // Start-up and shutdown.
    void FormShow();
    void ShowSplash();
    void StartUpSequence();
    void CheckCompanionFiles();
    void FormClose();
    void FormResize();
    void tmrClearMemoryTimer();
    // True once a missing companion file has asked for the end of the program.
    bool TerminateRequested() const { return FTerminateRequested; }
    // What ends the program after such a request; by default the message loop is left.
    std::function<void()> OnTerminate;

    // Commands.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void btnOptionsClick();
    void btnOpenFileClick();
    void btnRemoveFileClick();
    void btnClearFileClick();
    void btnConvertClick();
    void btnSelectOutputFolderClick();
    void btnPlayClick();
    void btnPauseClick();
    void btnStopClick();
    void ActSysHelpExecute();
    void ActSysHomePageExecute();
    void ActSysEmailExecute();
    void ActSysAboutExecute();
    void actMinimizeExecute();
    void actCloseWindowExecute();

    // The output folder that the folder command takes, from the current one and the dialog's
    // answer (empty: cancelled); shows the warnings.
    static QString ChooseOutputFolder(const QString& current, const QString& chosen);

    // Controls, named as on the design.
    TSkinnedPanel* pnlBackground;
    QLabel* lblTitle;
    TBitmapButton* btnWindowMinimize;
    TBitmapButton* btnWindowClose;
    TBitmapButton* btnHomePage;
    TBitmapButton* btnEMail;
    TBitmapButton* btnAbout;
    TDSVideoWindowEx2* DSVideoWindowEx1;
    TRangeBarPanel* Panel1;
    TBitmapButton* btnPlay;
    TBitmapButton* btnPause;
    TBitmapButton* btnStop;
    QLabel* imgPlay;
    QLabel* pnlCurTime;
    QFrame* Image1;
    QLabel* lblOutputFileTypeName;
    QComboBox* cbbOutputFiletype;
    QLabel* lblProfileSettings;
    QComboBox* cbbProfile;
    TBitmapButton* btnOptions;
    QLabel* lblOutputFolderInfo;
    QLineEdit* edtOutputFolder;
    TBitmapButton* RzBmpButton1;
    QCheckBox* chkShutdown;
    QLabel* Label1;
    QCheckBox* chkShowOutputDirectory;
    QLabel* Label2;
    TSourceListView* dxTreeSourceFileInfo;
    TBitmapButton* btnOpenFile;
    TBitmapButton* btnRemoveFile;
    TBitmapButton* btnClearFile;
    TBitmapButton* btnConvert;
    TBitmapButton* btnSelectOutputFolder;
    TBitmapButton* btnHelp;
    QProgressBar* pbPlayState;
    TDSTrackBar* dstrckbrMainform;
    QTimer tmrClearMemory;

    TMpvGraph& FilterGraph() { return *FFilterGraph; }
    TPreviewPlayer& Player() { return *FPlayer; }
    TRangeBar& RangeBar() { return *FRangeBar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void BindModels();
    TBitmapButton* MakeButton(const QString& name, const QString& picture, QRect place, const QString& hint,
                              void (TFrmMainForm::*handler)());
    QLabel* MakeLabel(const QString& name, const QString& text, QRect place);

    TControlModels& FModels;
    std::unique_ptr<TAppObjects> FObjects;
    TMpvGraph* FFilterGraph;
    TPreviewPlayer* FPlayer;
    TRangeBar* FRangeBar;
    TPreviewControls* FPreviewControls;
    TSourceFileDropHandler* FDropHandler;
    TWindowMover* FMover;
    TConvertingProgress* FProgress = nullptr;
    TfrmOption* FOption = nullptr;
    TFrmInitFileForm* FBusyWindow = nullptr;
    std::unique_ptr<TOpenSourceFilesCommand> FOpenCommand;
    bool FShown = false;
    bool FTerminateRequested = false;
};
