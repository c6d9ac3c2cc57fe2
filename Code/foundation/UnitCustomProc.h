#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TControlModels;
class TChoiceList;
class TConvertingProgress;

// The long-lived owner of the batch state and of the operations on the choice lists, the
// custom profiles, the user settings and the batch run. Its operations are defined beside
// the subsystem that owns them (settings, shell, engine, sources).
class TCustomProc
{
public:
    explicit TCustomProc(TControlModels& models);

    TControlModels& Models() { return FModels; }

    // Batch state of the current conversion run.
    int CheckedCount = 0;
    int DoneCount = 0;
    int ChunkCount = 0;
    int RowIndex = 0;
    QString CommandLine;
    bool Stopped = false;
    // Written by the command-line builder.
    QString StartTime;
    QString CutSeconds;

    // Option lists and profiles.
    void FillAllLists();
    void FillChoiceList(TChoiceList& list, QStringList (*builder)());
    void FillQualityList(TChoiceList& list);
    void ApplyProfile();
    QString ReadSelectedCustomProfile();
    void ApplySelectedCustomProfile();
    void AddCustomProfile();
    void SaveCustomProfile();
    void DeleteCustomProfile();

    // User settings (Config/UserSettings.ini).
    QString ReadInitialFolder();
    void SaveInitialFolder(const QString& dialogFileName);
    void LoadUserSettings();
    void SaveUserSettings();

    // Source list (adding, removing, trim edits).
    // -- added with the source list --

    // Batch run and its progress.
    // One whole run over the checked rows of the source list. False, and nothing done, while
    // another run is still in progress (also while a stopped run winds down).
    bool ConvertCheckedFiles();
    bool IsConverting() const { return FConverting; }
    void OpenFolderInExplorer(const QString& folder);
    void ShutdownComputer();
    // The progress window's model; set by whoever creates the window. Not owned.
    TConvertingProgress* frmConverting = nullptr;

    // Calls into the preview side; empty until the preview is wired up.
    std::function<void()> OnSyncSelection;
    std::function<void()> OnStopPreview;

private:
    TControlModels& FModels;
    bool FConverting = false;
};
