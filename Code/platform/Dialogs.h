#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Button codes as the message boxes report them.
enum : int
{
    idNone = 0,
    idOK = 1,
    idCancel = 2,
    idYes = 6,
    idNo = 7,
};

// Message-box kinds of ShowMsg.
enum : int
{
    mkError = 0,
    mkWarning = 1,
    mkQuestion = 2,
    mkInformation = 3,
};

// Prompt types of ShowPrompt.
enum : int
{
    ptOK = 1,
    ptYesNo = 2,
    ptYesNoCancel = 3,
};

// The user dialogs, behind one seam so that tests answer them in advance.
// Every box is captioned with the application title.
class TDialogs
{
public:
    virtual ~TDialogs();

    // A box with one OK button and the icon of the kind (0..3); leaves other windows usable.
    // True when the user closed it.
    virtual bool ShowMessage(const QString& text, int kind) = 0;
    // An application-modal box with the information icon and the buttons of the type (1..3);
    // returns the button code.
    virtual int ShowPrompt(const QString& text, int type) = 0;
    // A Yes/No box without an icon; returns idYes or idNo.
    virtual int AskYesNo(const QString& text) = 0;
    // The general error report: the error icon and the text.
    virtual void ShowError(const QString& text) = 0;
    // A text-input box; nothing on Cancel.
    virtual std::optional<QString> InputText(const QString& caption, const QString& prompt, const QString& initial) = 0;
    // The open-files dialog; the chosen files in the dialog's order, empty on Cancel.
    virtual QStringList OpenFiles(const QString& initialFolder, const QString& filter) = 0;
    // The folder dialog; the empty text on Cancel.
    virtual QString BrowseFolder(const QString& title) = 0;
};

// The implementation in force; aborts when none has been installed.
TDialogs& Dialogs();
TDialogs* SetDialogs(TDialogs* dialogs);

// The application title, the caption of every box.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);
