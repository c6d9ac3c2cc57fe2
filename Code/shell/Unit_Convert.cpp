#include "Unit_Convert.h"

#include "AppObjects.h"
#include "Artwork.h"
#include "BitmapButton.h"
#include "ChoiceListBinding.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "DSTrackBar.h"
#include "DSVideoWindowEx2.h"
#include "Dialogs.h"
#include "DropHandler.h"
#include "ErrorHandler.h"
#include "FlashForm.h"
#include "InitFileForm.h"
#include "JpegImage.h"
#include "OpenCommand.h"
#include "Platform.h"
#include "PreviewControls.h"
#include "PreviewHooks.h"
#include "PreviewPlayer.h"
#include "ProcessEvents.h"
#include "ProductInfo.h"
#include "RangeBar.h"
#include "RangeBarPanel.h"
#include "RangeMarker.h"
#include "SkinnedPanel.h"
#include "SourceListBinding.h"
#include "SourceListView.h"
#include "StretchedPicture.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Option.h"
#include "WindowMover.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

namespace {

const QColor cstMagenta(255, 0, 255);
const QColor cstOlive(128, 128, 0);
const QColor cstPanelColour(61, 65, 77);
// Borders of the background that keep their pixels when the window grows: the rounded corners,
// the title strip and every control drawn on the design frame.
const QMargins cstFixedBorders(668, 440, 16, 40);

QFont ArialPixels(int pixels, bool bold = false)
{
    // Arial and MS Sans Serif both come out as their metric twin Liberation Sans.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void MakeWhite(QWidget* widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(colours);
}

const char* const cstPanelStyle = R"(
QComboBox, QLineEdit {
    background: rgb(44, 47, 57); color: white; border: 1px solid rgb(96, 103, 122);
    border-radius: 3px; padding: 1px 4px; selection-background-color: rgb(38, 132, 214);
}
QComboBox:hover { border-color: rgb(120, 170, 230); }
QComboBox QAbstractItemView { background: rgb(44, 47, 57); color: white; selection-background-color: rgb(38, 132, 214); }
QLineEdit[readOnly="true"] { color: rgb(215, 220, 230); }
QCheckBox::indicator { width: 13px; height: 13px; border: 1px solid rgb(150, 158, 178); border-radius: 2px;
    background: rgb(61, 65, 77); }
QCheckBox::indicator:checked { background: rgb(38, 132, 214); image: none; border-color: rgb(140, 190, 240); }
QToolTip { color: black; background: rgb(255, 255, 225); border: 1px solid gray; }
)";

} // namespace

TFrmMainForm::TFrmMainForm(TControlModels& models, TMpvOutput previewOutput)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), FModels(models)
{
    setObjectName(QStringLiteral("FrmMainForm"));
    setWindowTitle(QStringLiteral("Quorvid"));
    setFont(ArialPixels(11));
    FFilterGraph = new TMpvGraph(previewOutput, this);
    FPlayer = new TPreviewPlayer(*FFilterGraph, FModels.dxTreeSourceFileInfo, this);
    FRangeBar = new TRangeBar(*FPlayer, FModels.dxTreeSourceFileInfo, this);
    FDropHandler = new TSourceFileDropHandler(this);
    FMover = new TWindowMover(this);
    CreateControls();
    BindModels();

    tmrClearMemory.setInterval(1000);
    connect(&tmrClearMemory, &QTimer::timeout, this, [this] { Guarded([this] { tmrClearMemoryTimer(); }); });
    tmrClearMemory.start();

    setMinimumSize(cstMinWidth, cstMinHeight);
    resize(cstMinWidth, cstMinHeight);
    // The window sees every key before the focused control does.
    qApp->installEventFilter(this);
}

TFrmMainForm::~TFrmMainForm()
{
    qApp->removeEventFilter(this);
    if (CustomProc && FObjects) {
        DisconnectPreviewHooks(*CustomProc);
        CustomProc->frmConverting = nullptr;
    }
    FObjects.reset();
}

void TFrmMainForm::SetWindows(TConvertingProgress* progress, TfrmOption* option, TFrmInitFileForm* busyWindow)
{
    FProgress = progress;
    FOption = option;
    FBusyWindow = busyWindow;
    FOpenCommand = busyWindow ? std::make_unique<TOpenSourceFilesCommand>(*busyWindow) : nullptr;
}

TBitmapButton* TFrmMainForm::MakeButton(const QString& name, const QString& picture, QRect place, const QString& hint,
                                        void (TFrmMainForm::*handler)())
{
    auto* button = new TBitmapButton(pnlBackground);
    button->setObjectName(name);
    button->SetPictures(TArtwork::ButtonUp(picture), TArtwork::ButtonHot(picture), TArtwork::ButtonDown(picture),
                        cstOlive);
    button->setGeometry(place);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    if (handler)
        connect(button, &QAbstractButton::clicked, this, GuardedSlot([this, handler](bool) { (this->*handler)(); }));
    return button;
}

QLabel* TFrmMainForm::MakeLabel(const QString& name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, pnlBackground);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(ArialPixels(11));
    label->setAttribute(Qt::WA_TranslucentBackground);
    MakeWhite(label);
    return label;
}

void TFrmMainForm::CreateControls()
{
    pnlBackground = new TSkinnedPanel(this);
    pnlBackground->setObjectName(QStringLiteral("pnlBackground"));
    pnlBackground->SetPicture(TArtwork::Picture(QStringLiteral("background.png")), cstMagenta, cstFixedBorders);
    pnlBackground->setStyleSheet(QLatin1String(cstPanelStyle));
    FMover->Watch(pnlBackground);

    // Title strip.
    lblTitle = MakeLabel(QStringLiteral("lblTitle"), QStringLiteral("Application name "), QRect(103, 42, 514, 27));
    lblTitle->setFont(ArialPixels(16, true));
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FMover->Watch(lblTitle);
    btnWindowMinimize = MakeButton(QStringLiteral("btnWindowMinimize"), QStringLiteral("minimize"),
                                   QRect(616, 40, 25, 25), {}, &TFrmMainForm::actMinimizeExecute);
    btnWindowClose = MakeButton(QStringLiteral("btnWindowClose"), QStringLiteral("close"), QRect(642, 40, 25, 25), {},
                                &TFrmMainForm::actCloseWindowExecute);

    // Link row, right of the preview and above the settings.
    btnHomePage = MakeButton(QStringLiteral("btnHomePage"), QStringLiteral("homepage"), QRect(515, 73, 48, 48), {},
                             &TFrmMainForm::ActSysHomePageExecute);
    btnEMail = MakeButton(QStringLiteral("btnEMail"), QStringLiteral("email"), QRect(567, 73, 48, 48), {},
                          &TFrmMainForm::ActSysEmailExecute);
    btnAbout = MakeButton(QStringLiteral("btnAbout"), QStringLiteral("about"), QRect(619, 73, 48, 48), {},
                          &TFrmMainForm::ActSysAboutExecute);

    // Preview, range bar and player row.
    DSVideoWindowEx1 = new TDSVideoWindowEx2(pnlBackground);
    DSVideoWindowEx1->setObjectName(QStringLiteral("DSVideoWindowEx1"));
    DSVideoWindowEx1->setGeometry(21, 75, 257, 155);
    DSVideoWindowEx1->SetFilterGraph(FFilterGraph);
    if (const QImage logo = TArtwork::Picture(QStringLiteral("logo.jpg")); !logo.isNull())
        DSVideoWindowEx1->SetLogo(logo);
    Panel1 = new TRangeBarPanel(*FRangeBar, pnlBackground);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(19, 237, TRangeBar::cstBarWidth, 19);
    const QImage outer = TArtwork::Picture(QStringLiteral("range-outer.png"));
    const QImage middle = TArtwork::Picture(QStringLiteral("range-middle.png"));
    if (!outer.isNull() && !middle.isNull()) {
        Panel1->Panel2()->SetPicture(outer);
        Panel1->Panel3()->SetPicture(outer);
        Panel1->Panel4()->SetPicture(middle);
    }
    const QImage imgL = TArtwork::Picture(QStringLiteral("marker-left.png"));
    const QImage imgR = TArtwork::Picture(QStringLiteral("marker-right.png"));
    if (!imgL.isNull() && !imgR.isNull()) {
        Panel1->Splitter1()->SetPicture(imgL);
        Panel1->Splitter2()->SetPicture(imgR);
    }
    btnPlay = MakeButton(QStringLiteral("btnPlay"), QStringLiteral("play"), QRect(20, 261, 20, 20),
                         QStringLiteral("Ctrl + P"), nullptr);
    btnPause = MakeButton(QStringLiteral("btnPause"), QStringLiteral("pause"), QRect(44, 261, 20, 20),
                          QStringLiteral("Ctrl + U"), nullptr);
    btnStop = MakeButton(QStringLiteral("btnStop"), QStringLiteral("stop"), QRect(68, 261, 20, 20),
                         QStringLiteral("Ctrl + T"), nullptr);
    imgPlay = new QLabel(pnlBackground);
    imgPlay->setObjectName(QStringLiteral("imgPlay"));
    imgPlay->setGeometry(202, 261, 80, 20);
    imgPlay->setPixmap(QPixmap::fromImage(TArtwork::Picture(QStringLiteral("time-frame.png"))));
    pnlCurTime = TPreviewControls::CreateCurTimePanel(imgPlay);
    pnlCurTime->move(4, 2);
    pbPlayState = new QProgressBar(pnlBackground);
    pbPlayState->setObjectName(QStringLiteral("pbPlayState"));
    pbPlayState->hide();
    dstrckbrMainform = new TDSTrackBar(this);
    dstrckbrMainform->setObjectName(QStringLiteral("dstrckbrMainform"));
    dstrckbrMainform->SetFilterGraph(FFilterGraph);
    FPreviewControls =
        new TPreviewControls(*FPlayer, DSVideoWindowEx1, pnlCurTime, pbPlayState, dstrckbrMainform, this);
    FPreviewControls->BindButtons(btnPlay, btnPause, btnStop);

    // Settings.
    Image1 = new QFrame(pnlBackground);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(295, 125, 372, 1);
    Image1->setStyleSheet(QStringLiteral("background: rgb(110, 117, 136);"));
    lblOutputFileTypeName =
        MakeLabel(QStringLiteral("lblOutputFileTypeName"), QStringLiteral("Output FileType:"), QRect(290, 133, 96, 21));
    cbbOutputFiletype = new QComboBox(pnlBackground);
    cbbOutputFiletype->setObjectName(QStringLiteral("cbbOutputFiletype"));
    cbbOutputFiletype->setGeometry(386, 133, 280, 21);
    lblProfileSettings =
        MakeLabel(QStringLiteral("lblProfileSettings"), QStringLiteral("Conversion Quality:"), QRect(290, 160, 96, 21));
    cbbProfile = new QComboBox(pnlBackground);
    cbbProfile->setObjectName(QStringLiteral("cbbProfile"));
    cbbProfile->setGeometry(386, 160, 200, 21);
    btnOptions = MakeButton(QStringLiteral("btnOptions"), QStringLiteral("options"), QRect(595, 160, 70, 20),
                            QStringLiteral("Ctrl + N"), &TFrmMainForm::btnOptionsClick);
    lblOutputFolderInfo =
        MakeLabel(QStringLiteral("lblOutputFolderInfo"), QStringLiteral("Output Folder:"), QRect(290, 188, 96, 21));
    edtOutputFolder = new QLineEdit(pnlBackground);
    edtOutputFolder->setObjectName(QStringLiteral("edtOutputFolder"));
    edtOutputFolder->setGeometry(386, 188, 200, 21);
    edtOutputFolder->setReadOnly(true);
    RzBmpButton1 = MakeButton(QStringLiteral("RzBmpButton1"), QStringLiteral("folder"), QRect(595, 188, 70, 20),
                              QStringLiteral("Ctrl + N"), &TFrmMainForm::btnSelectOutputFolderClick);
    chkShutdown = new QCheckBox(pnlBackground);
    chkShutdown->setObjectName(QStringLiteral("chkShutdown"));
    chkShutdown->setGeometry(294, 226, 16, 16);
    Label1 = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Shutdown computer when job is finished."),
                       QRect(314, 226, 340, 16));
    chkShowOutputDirectory = new QCheckBox(pnlBackground);
    chkShowOutputDirectory->setObjectName(QStringLiteral("chkShowOutputDirectory"));
    chkShowOutputDirectory->setGeometry(294, 246, 16, 16);
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Show output directory when done"),
                       QRect(314, 246, 340, 16));
    for (QCheckBox* box : {chkShutdown, chkShowOutputDirectory}) {
        QPalette colours = box->palette();
        colours.setColor(QPalette::Window, cstPanelColour);
        colours.setColor(QPalette::Base, cstPanelColour);
        box->setPalette(colours);
    }

    // Source list and its buttons.
    dxTreeSourceFileInfo = new TSourceListView(pnlBackground);
    dxTreeSourceFileInfo->setObjectName(QStringLiteral("dxTreeSourceFileInfo"));
    dxTreeSourceFileInfo->SetSourceList(&FModels.dxTreeSourceFileInfo);
    BindSourceListView(*dxTreeSourceFileInfo);
    btnOpenFile = MakeButton(QStringLiteral("btnOpenFile"), QStringLiteral("openfile"), QRect(567, 287, 100, 25),
                             QStringLiteral("Ctrl + O"), &TFrmMainForm::btnOpenFileClick);
    btnRemoveFile = MakeButton(QStringLiteral("btnRemoveFile"), QStringLiteral("removefile"), QRect(567, 318, 100, 25),
                               QStringLiteral("Ctrl + R"), &TFrmMainForm::btnRemoveFileClick);
    btnClearFile = MakeButton(QStringLiteral("btnClearFile"), QStringLiteral("clearfile"), QRect(567, 349, 100, 25),
                              QStringLiteral("Ctrl + L"), &TFrmMainForm::btnClearFileClick);
    btnConvert = MakeButton(QStringLiteral("btnConvert"), QStringLiteral("convert"), QRect(567, 380, 100, 35),
                            QStringLiteral("Ctrl + S"), &TFrmMainForm::btnConvertClick);

    // Hidden controls that still take part through their keys.
    btnSelectOutputFolder =
        MakeButton(QStringLiteral("btnSelectOutputFolder"), QStringLiteral("selectfolder"), QRect(570, 188, 20, 20),
                   QStringLiteral("Ctrl + B"), &TFrmMainForm::btnSelectOutputFolderClick);
    btnSelectOutputFolder->hide();
    btnHelp = MakeButton(QStringLiteral("btnHelp"), QStringLiteral("help"), QRect(619, 125, 48, 20),
                         QStringLiteral("Help (F1)"), &TFrmMainForm::ActSysHelpExecute);
    btnHelp->hide();
}

void TFrmMainForm::BindModels()
{
    BindQualityLists(*cbbOutputFiletype, *cbbProfile, FModels);

    const auto showFolder = [this] { edtOutputFolder->setText(FModels.edtOutputFolder.Text()); };
    showFolder();
    connect(&FModels.edtOutputFolder, &TTextFieldModel::Changed, edtOutputFolder, showFolder);

    const auto bindCheck = [this](QCheckBox* box, TCheckBoxModel& model) {
        box->setChecked(model.Checked());
        connect(&model, &TCheckBoxModel::Changed, box, [box, &model] { box->setChecked(model.Checked()); });
        connect(box, &QCheckBox::toggled, this, GuardedSlot([&model](bool checked) { model.SetChecked(checked); }));
    };
    bindCheck(chkShutdown, FModels.chkShutdown);
    bindCheck(chkShowOutputDirectory, FModels.chkShowOutputDirectory);

    // The batch run keeps the window disabled while it converts.
    setEnabled(FModels.MainFormEnabled.Checked());
    connect(&FModels.MainFormEnabled, &TCheckBoxModel::Changed, this, [this] {
        setEnabled(FModels.MainFormEnabled.Checked() && !FTerminateRequested);
        // Qt disables the windows this one owns along with it; the progress window's Stop must
        // stay usable during the run, so only this window itself is held.
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isWindow())
                child->setEnabled(true);
    });
}

// Start-up and shutdown -------------------------------------------------------------------------

void TFrmMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    if (const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
    // Out of the show event, so the splash's own loop does not run inside it.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TFrmMainForm::FormShow()
{
    Guarded([this] {
        ShowSplash();
        if (!CustomProc)
            return;
        CustomProc->FillAllLists();
        FDropHandler->Install(this);
        FDropHandler->Install(dxTreeSourceFileInfo);
        CustomProc->ApplyProfile();
    });
    if (FTerminateRequested) {
        hide();
        if (OnTerminate)
            OnTerminate();
        else
            QCoreApplication::exit(0);
    }
}

void TFrmMainForm::ShowSplash()
{
    TFrmFlashForm splash(this);
    try {
        const QByteArray jpeg = TProductInfo::ReadSplashJpeg();
        if (!jpeg.isEmpty()) {
            QStringList warnings;
            splash.LoadPicture(TJpegImage::Decode(jpeg, &warnings));
        }
    } catch (const Exception&) {
        // A picture that cannot be read leaves the plain splash; the companion check reports it.
    }
    splash.OnStartUp = [this] { StartUpSequence(); };
    splash.exec();
}

void TFrmMainForm::StartUpSequence()
{
    FObjects = std::make_unique<TAppObjects>(FModels);
    CustomProc->frmConverting = FProgress;
    ConnectPreviewHooks(*CustomProc, *FPlayer, *FRangeBar);
    CheckCompanionFiles();
    ProcessPendingEvents();
    TProductInfo::Read(RecSoftInfo);
    RecSoftInfo.AppPath = Platform().ProgramFolder();
    setWindowTitle(RecSoftInfo.ProductName + QLatin1Char(' ') + RecSoftInfo.Version);
    lblTitle->setText(windowTitle());
}

void TFrmMainForm::CheckCompanionFiles()
{
    for (const QString& name : TProductInfo::MissingCompanionFiles()) {
        Dialogs().ShowPrompt(TProductInfo::MissingFileMessage(name), ptOK);
        FTerminateRequested = true;
    }
    // The window never becomes usable once the end has been asked for.
    if (FTerminateRequested)
        setEnabled(false);
}

void TFrmMainForm::closeEvent(QCloseEvent* event)
{
    Guarded([this] { FormClose(); });
    event->accept();
}

void TFrmMainForm::FormClose()
{
    Guarded([this] { FPlayer->ClosePreview(); });
    // A settings file that cannot be written is reported, and the program still ends.
    Guarded([] {
        if (CustomProc)
            CustomProc->SaveUserSettings();
    });
    Platform().ExitProcess(0);
}

void TFrmMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Guarded([this] { FormResize(); });
}

void TFrmMainForm::FormResize()
{
    setMinimumSize(cstMinWidth, cstMinHeight);
    pnlBackground->setGeometry(rect());
    pnlBackground->FitTo(size());
    // The list keeps its distances to all four edges of the design frame.
    const int right = cstDesignWidth - (19 + 539);
    const int bottom = cstDesignHeight - (287 + 127);
    dxTreeSourceFileInfo->setGeometry(19, 287, std::max(0, width() - 19 - right), std::max(0, height() - 287 - bottom));
}

void TFrmMainForm::tmrClearMemoryTimer()
{
    Platform().TrimMemory();
}

// Commands ----------------------------------------------------------------------------------------

bool TFrmMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Only the key's first delivery: the focused control, or this window when none has focus.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (widget != first || widget->window() != this)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    Guarded([&] { FormKeyDown(key->key(), key->modifiers()); });
    // Never consumed: the focused control gets the key as well.
    return false;
}

bool TFrmMainForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F1) {
        ActSysHelpExecute();
        return true;
    }
    if ((modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    static const struct
    {
        int Key;
        void (TFrmMainForm::*Handler)();
    } cstShortcuts[] = {
        {Qt::Key_I, &TFrmMainForm::btnOptionsClick},
        {Qt::Key_O, &TFrmMainForm::btnOpenFileClick},
        {Qt::Key_R, &TFrmMainForm::btnRemoveFileClick},
        {Qt::Key_L, &TFrmMainForm::btnClearFileClick},
        {Qt::Key_S, &TFrmMainForm::btnConvertClick},
        {Qt::Key_N, &TFrmMainForm::btnConvertClick},
        {Qt::Key_B, &TFrmMainForm::btnSelectOutputFolderClick},
        {Qt::Key_P, &TFrmMainForm::btnPlayClick},
        {Qt::Key_U, &TFrmMainForm::btnPauseClick},
        {Qt::Key_T, &TFrmMainForm::btnStopClick},
    };
    for (const auto& shortcut : cstShortcuts) {
        if (shortcut.Key == key) {
            (this->*shortcut.Handler)();
            return true;
        }
    }
    return false;
}

void TFrmMainForm::btnOptionsClick()
{
    if (!FOption)
        return;
    FOption->show();
    FOption->raise();
    FOption->activateWindow();
}

void TFrmMainForm::btnOpenFileClick()
{
    if (FOpenCommand)
        FOpenCommand->Run();
}

void TFrmMainForm::btnRemoveFileClick()
{
    CustomProc->RemoveSourceFiles();
}

void TFrmMainForm::btnClearFileClick()
{
    CustomProc->ClearSourceFiles();
}

void TFrmMainForm::btnConvertClick()
{
    // A second Convert while a run is going would reset the running count.
    if (CustomProc->IsConverting())
        return;
    CustomProc->DoneCount = 0;
    CustomProc->ConvertCheckedFiles();
}

QString TFrmMainForm::ChooseOutputFolder(const QString& current, const QString& chosen)
{
    QString taken;
    if (!chosen.isEmpty()) {
        // A line break would split the settings file's OutDir line.
        if (chosen.contains(QLatin1Char('\n')) || chosen.contains(QLatin1Char('\r')) ||
            !Platform().FolderExists(chosen)) {
            CommonLib->ShowMsg(QStringLiteral("The path is invalid."), mkWarning);
        } else {
            const QString probe =
                (chosen.endsWith(QLatin1Char('/')) ? chosen : chosen + QLatin1Char('/')) + QStringLiteral("test");
            const bool existed = Platform().FolderExists(probe);
            if (existed || Platform().ForceDirectories(probe))
                taken = chosen;
            else
                CommonLib->ShowMsg(QStringLiteral("This is a read-only path."), mkWarning);
            // Only what the probe itself made goes again; a "test" of the user's stays.
            if (!existed)
                Platform().RemoveFolder(probe);
        }
    }
    if (taken.isEmpty()) {
        taken = current;
        if (!Platform().FolderExists(current))
            Platform().ForceDirectories(current);
    }
    return taken;
}

void TFrmMainForm::btnSelectOutputFolderClick()
{
    const QString chosen = Dialogs().BrowseFolder(QStringLiteral("Please select output folder:"));
    FModels.edtOutputFolder.SetText(ChooseOutputFolder(FModels.edtOutputFolder.Text(), chosen));
}

void TFrmMainForm::btnPlayClick()
{
    FPlayer->btnPlayClick();
}

void TFrmMainForm::btnPauseClick()
{
    FPlayer->btnPauseClick();
}

void TFrmMainForm::btnStopClick()
{
    FPlayer->btnStopClick();
}

void TFrmMainForm::ActSysHelpExecute()
{
    Platform().OpenUrl(RecSoftInfo.AppPath + QStringLiteral("Help.html"));
}

void TFrmMainForm::ActSysHomePageExecute()
{
    Platform().OpenUrl(RecSoftInfo.HomePage);
}

void TFrmMainForm::ActSysEmailExecute()
{
    Platform().OpenUrl(QStringLiteral("mailto:") + RecSoftInfo.Email);
}

void TFrmMainForm::ActSysAboutExecute()
{
    TProductInfo::ShowAbout(qApp, RecSoftInfo);
}

void TFrmMainForm::actMinimizeExecute()
{
    QWidget* foreground = QApplication::activeWindow() ? QApplication::activeWindow() : this;
    foreground->setWindowState(foreground->windowState() & ~Qt::WindowMinimized);
    foreground->showMinimized();
}

void TFrmMainForm::actCloseWindowExecute()
{
    close();
}
