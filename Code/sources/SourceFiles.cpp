// Adding, probing and removing the rows of the source list.
#include "SourceFiles.h"

#include "AppObjects.h"
#include "ControlModels.h"
#include "Dialogs.h"
#include "Errors.h"
#include "ProbeGraph.h"
#include "SourceTexts.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <memory>

namespace {

const char* const cstAcceptedExtensions[] = {".3gp", ".mp4", ".m4v", ".mpeg", ".mpg", ".asf", ".mov",
                                             ".swf", ".flv", ".wmv", ".avi",  ".rm",  ".rmvb"};

std::int64_t ProbeOn(TFilterGraph& graph, const QString& path)
{
    try {
        graph.Clear();
        graph.SetActive(true);
        graph.RenderFile(path);
        const std::int64_t ms = graph.Duration();
        graph.SetActive(false);
        return ms > 0 ? ms / 1000 : 0;
    } catch (...) {
        // An unreadable file is reported by its 0; the graph must not stay half-built.
        try {
            graph.SetActive(false);
        } catch (...) {
        }
        return 0;
    }
}

std::int64_t FileLength(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return file.size();
}

void Call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

} // namespace

QString SourceFileFilter()
{
    // The descriptions read as they always have; Qt takes the patterns from the last brackets.
    return QStringLiteral(
        "Supported Files (*.3gp *.mp4 *.m4v *.mpeg *.mpg *.avi *.asf *.mov *.wmv *.flv *.swf *.rm *.rmvb);;"
        "3GP Files (*.3gp) (*.3gp);;"
        "AVI Files (*.avi) (*.avi);;"
        "ASF Files (*.asf) (*.asf);;"
        "Flash Files (*.flv,swf) (*.flv *.swf);;"
        "MOV Files (*.mov) (*.mov);;"
        "WMV Files (*.wmv) (*.wmv);;"
        "MP4 File (*.mp4,*.m4v) (*.mp4 *.m4v);;"
        "MPEG Files (*.mpeg,*.mpg) (*.mpeg *.mpg);;"
        "RM Files (*.rm,*.rmvb) (*.rm *.rmvb)");
}

bool IsAcceptedSourceFile(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString ext = name.mid(dot).toLower();
    for (const char* accepted : cstAcceptedExtensions)
        if (ext == QLatin1String(accepted))
            return true;
    return false;
}

QStringList DropLaterDuplicates(const QStringList& names)
{
    QStringList kept;
    QSet<QString> seen;
    for (const QString& name : names) {
        if (seen.contains(name))
            continue;
        seen.insert(name);
        kept.append(name);
    }
    return kept;
}

QString FileReadingErrorText()
{
    return QStringLiteral("Files reading error! Please check your files or install a new codec.");
}

void TCustomProc::AddSourceFiles(const QStringList& paths)
{
    TSourceList& list = FModels.dxTreeSourceFileInfo;
    // One private graph per batch, released at the end whatever happens.
    TProbeGraph graph;
    for (const QString& path : paths) {
        bool present = false;
        for (int r = 0; r < list.RowCount() && !present; ++r)
            present = list.Cell(r, TSourceList::colFileName) == path;
        if (present || !IsAcceptedSourceFile(path))
            continue;
        const QString duration = SecondsToText(ProbeOn(graph, path));
        if (duration == QLatin1String("00:00:00")) {
            CommonLib->ShowMsg(FileReadingErrorText(), mkWarning);
            continue;
        }
        const QString size = SizeToText(FileLength(path));
        list.AppendRow({QStringLiteral("True"), path, size, duration, QStringLiteral("00:00:00"), duration, duration});
    }
    if (list.RowCount() > 0) {
        list.SelectRow(0);
        Call(OnSyncSelection);
    }
}

std::int64_t TCustomProc::ProbeDuration(const QString& path)
{
    TProbeGraph graph;
    return ProbeOn(graph, path);
}

void TCustomProc::RemoveSelectedRows()
{
    TSourceList& list = FModels.dxTreeSourceFileInfo;
    if (list.SelectedRows().empty())
        return;
    QCoreApplication::processEvents();
    const int focused = list.FocusedRow();
    int remembered = focused > 0 ? focused - 1 : -1;
    for (;;) {
        const std::vector<int> selected = list.SelectedRows();
        if (selected.empty())
            break;
        QCoreApplication::processEvents();
        const int row = selected.front();
        list.RemoveRow(row);
        if (row == remembered)
            remembered = -1;
        else if (row < remembered)
            --remembered;
    }
    if (remembered >= 0) {
        list.SetFocusedRow(remembered);
        list.SelectRow(remembered);
    }
}

void TCustomProc::RemoveSourceFiles()
{
    RemoveSelectedRows();
    if (FModels.dxTreeSourceFileInfo.RowCount() == 0)
        Call(OnResetRangeBar);
    Call(OnStopPreview);
    Call(OnSyncSelection);
}

void TCustomProc::DeleteKeyInSourceList()
{
    Call(OnSyncSelection);
    RemoveSelectedRows();
    Call(OnStopPreview);
    if (FModels.dxTreeSourceFileInfo.RowCount() == 0)
        Call(OnResetRangeBar);
}

void TCustomProc::ClearSourceFiles()
{
    try {
        FModels.dxTreeSourceFileInfo.ClearRows();
    } catch (...) {
        // Whatever could not be deleted, the preview and the bar are reset all the same.
    }
    Call(OnStopPreview);
    Call(OnResetRangeBar);
}
