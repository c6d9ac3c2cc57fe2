#include "ConsoleDialogs.h"

#include <cstdio>

bool TConsoleDialogs::ShowMessage(const QString& text, int)
{
    FMessages << text;
    return true;
}

int TConsoleDialogs::ShowPrompt(const QString& text, int type)
{
    std::fprintf(stderr, "quorvid-batch: %s\n", text.toUtf8().constData());
    return type == ptOK ? idOK : idNo;
}

int TConsoleDialogs::AskYesNo(const QString&)
{
    return idNo;
}

void TConsoleDialogs::ShowError(const QString& text)
{
    std::fprintf(stderr, "quorvid-batch: %s\n", text.toUtf8().constData());
}

std::optional<QString> TConsoleDialogs::InputText(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

QStringList TConsoleDialogs::OpenFiles(const QString&, const QString&)
{
    return {};
}

QString TConsoleDialogs::BrowseFolder(const QString&)
{
    return {};
}

QStringList TConsoleDialogs::TakeMessages()
{
    QStringList taken;
    taken.swap(FMessages);
    return taken;
}
