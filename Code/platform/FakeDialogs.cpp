#include "FakeDialogs.h"

#include <algorithm>

bool TFakeDialogs::ShowMessage(const QString& text, int kind)
{
    Calls.push_back({QStringLiteral("message"), text, kind});
    return true;
}

int TFakeDialogs::ShowPrompt(const QString& text, int type)
{
    Calls.push_back({QStringLiteral("prompt"), text, type});
    if (!PromptAnswers.empty()) {
        int a = PromptAnswers.front();
        PromptAnswers.pop_front();
        return a;
    }
    return type == ptOK ? idOK : idYes;
}

int TFakeDialogs::AskYesNo(const QString& text)
{
    Calls.push_back({QStringLiteral("yesno"), text, -1});
    if (!YesNoAnswers.empty()) {
        int a = YesNoAnswers.front();
        YesNoAnswers.pop_front();
        return a;
    }
    return idNo;
}

void TFakeDialogs::ShowError(const QString& text)
{
    Calls.push_back({QStringLiteral("error"), text, -1});
}

std::optional<QString> TFakeDialogs::InputText(const QString& caption, const QString& prompt, const QString& initial)
{
    Calls.push_back({QStringLiteral("input"), caption + QLatin1Char('|') + prompt, -1});
    LastInputInitial = initial;
    if (InputAnswers.empty() || !InputAnswers.front().has_value()) {
        if (!InputAnswers.empty())
            InputAnswers.pop_front();
        return std::nullopt;
    }
    const QString text = *InputAnswers.front();
    InputAnswers.pop_front();
    return text;
}

QStringList TFakeDialogs::OpenFiles(const QString& initialFolder, const QString& filter)
{
    Calls.push_back({QStringLiteral("open"), initialFolder, -1});
    LastOpenFolder = initialFolder;
    LastOpenFilter = filter;
    if (!OpenAnswers.empty()) {
        auto a = OpenAnswers.front();
        OpenAnswers.pop_front();
        return a;
    }
    return {};
}

QString TFakeDialogs::BrowseFolder(const QString& title)
{
    Calls.push_back({QStringLiteral("folder"), title, -1});
    if (!FolderAnswers.empty()) {
        auto a = FolderAnswers.front();
        FolderAnswers.pop_front();
        return a;
    }
    return {};
}

int TFakeDialogs::CountOf(const QString& kind) const
{
    return static_cast<int>(std::count_if(Calls.begin(), Calls.end(), [&](const TCall& c) { return c.Kind == kind; }));
}
