#pragma once

#include "Dialogs.h"

#include <QStringList>

// The dialogs of a program without windows: messages go to standard error and are kept for
// the caller; nothing is ever asked (questions take their safe answer).
class TConsoleDialogs : public TDialogs
{
public:
    bool ShowMessage(const QString& text, int kind) override;
    int ShowPrompt(const QString& text, int type) override;
    int AskYesNo(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<QString> InputText(const QString& caption, const QString& prompt, const QString& initial) override;
    QStringList OpenFiles(const QString& initialFolder, const QString& filter) override;
    QString BrowseFolder(const QString& title) override;

    // Messages shown since the last call, then forgotten.
    QStringList TakeMessages();

private:
    QStringList FMessages;
};
