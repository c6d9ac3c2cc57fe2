#pragma once

#include "Dialogs.h"

#include <deque>
#include <vector>

// Test double for the dialogs: answers queued in advance, every call recorded.
class TFakeDialogs : public TDialogs
{
public:
    struct TCall
    {
        QString Kind; // "message", "prompt", "yesno", "error", "input", "open", "folder"
        QString Text;
        int Type = -1;
    };

    bool ShowMessage(const QString& text, int kind) override;
    int ShowPrompt(const QString& text, int type) override;
    int AskYesNo(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<QString> InputText(const QString& caption, const QString& prompt, const QString& initial) override;
    QStringList OpenFiles(const QString& initialFolder, const QString& filter) override;
    QString BrowseFolder(const QString& title) override;

    // Answers, taken in order; when a queue is empty the defaults apply
    // (prompts: the first button, yes/no: idNo, input: Cancel, files: none, folder: Cancel).
    std::deque<int> PromptAnswers;
    std::deque<int> YesNoAnswers;
    std::deque<std::optional<QString>> InputAnswers;
    std::deque<QStringList> OpenAnswers;
    std::deque<QString> FolderAnswers;

    std::vector<TCall> Calls;
    // The initial text shown by the last text-input box and the folder of the last open dialog.
    QString LastInputInitial;
    QString LastOpenFolder;
    QString LastOpenFilter;

    int CountOf(const QString& kind) const;
};
