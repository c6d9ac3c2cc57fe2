#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
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
    // Appends the acceptable files of the list, in order; a file refused by the probe is
    // reported once. Throws EFileError when a probed file's length cannot be read.
    void AddSourceFiles(const QStringList& paths);
    // Whole seconds; 0 when the file cannot be read.
    std::int64_t ProbeDuration(const QString& path);
    void RemoveSelectedRows();
    // The Remove command, the Delete key in the list and the Clear command.
    void RemoveSourceFiles();
    void DeleteKeyInSourceList();
    void ClearSourceFiles();
    // The end of a cell edit in the list: corrects the times of every selected row.
    // Throws EConvertError at a row whose times cannot be read; later rows are left alone.
    void dxTreeSourceFileInfoEdited();
    // Puts both outer images of the range bar back to width 2; empty until the range bar exists.
    std::function<void()> OnResetRangeBar;
    // A trim edit's new start in ms; the preview seeks there only when it follows the list and
    // its graph is active. Empty until the preview exists.
    std::function<void(std::int64_t)> OnSeekPreviewIfFollowing;

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
