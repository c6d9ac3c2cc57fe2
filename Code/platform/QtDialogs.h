#pragma once

#include "Dialogs.h"

// The dialogs as Qt shows them.
class TQtDialogs : public TDialogs
{
public:
    bool ShowMessage(const QString& text, int kind) override;
    int ShowPrompt(const QString& text, int type) override;
    int AskYesNo(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<QString> InputText(const QString& caption, const QString& prompt, const QString& initial) override;
    QStringList OpenFiles(const QString& initialFolder, const QString& filter) override;
    QString BrowseFolder(const QString& title) override;
};
