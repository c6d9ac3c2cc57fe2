// The batch run: one encoder run per checked row, with the progress window and the after-job actions.
#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "AppObjects.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "Dialogs.h"
#include "Platform.h"
#include "ProcessEvents.h"
#include "SysFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int cstBeforeStartMs = 2000;
constexpr int cstAfterStartMs = 3000;
constexpr int cstPollMs = 100;

struct TFailedFile
{
    QString Path;
    QString Reason;
};

QString FailureReason(const TRunOutcome& outcome)
{
    QString reason;
    switch (outcome.Kind) {
    case TRunOutcome::NotStarted:
        return QStringLiteral("the encoder could not be started");
    case TRunOutcome::Exited:
        reason = QStringLiteral("the encoder ended with exit status ") + QString::number(outcome.Status);
        break;
    case TRunOutcome::Signalled:
        reason = QStringLiteral("the encoder was ended by signal ") + QString::number(outcome.Status);
        break;
    }
    if (!outcome.LastLine.isEmpty())
        reason += QStringLiteral(": ") + outcome.LastLine;
    return reason;
}

bool AnyEncoderRunning()
{
    return SysFunc->IsProcessRunning(QStringLiteral("favc")) != 0 ||
           SysFunc->IsProcessRunning(QStringLiteral("ravc")) != 0;
}

} // namespace

void TCustomProc::OpenFolderInExplorer(const QString& folder)
{
    Platform().OpenUrl(folder);
}

void TCustomProc::ShutdownComputer()
{
    // No privilege to enable here; the request's result is not examined.
    Platform().PowerOff();
}

bool TCustomProc::ConvertCheckedFiles()
{
    if (FConverting)
        return false;
    FConverting = true;

    std::optional<TConvertingProgress> standIn;
    if (!frmConverting)
        standIn.emplace();
    TConvertingProgress& progress = frmConverting ? *frmConverting : *standIn;
    TSourceList& rows = FModels.dxTreeSourceFileInfo;

    // Whatever ends the run, the program must be able to convert again.
    auto finish = [&] {
        Stopped = false;
        progress.Hide();
        FModels.MainFormEnabled.SetChecked(true);
        FConverting = false;
    };

    std::vector<TFailedFile> failures;
    bool poweredOff = false;
    try {
        DoneCount = 0;
        CheckedCount = 0;
        for (int r = 0; r < rows.RowCount(); ++r)
            if (rows.IsChecked(r))
                ++CheckedCount;

        if (rows.RowCount() == 0) {
            CommonLib->ShowMsg(QStringLiteral("Please add media files you want to convert into the list."), 1);
            finish();
            return true;
        }

        RowIndex = 0;
        while (RowIndex <= rows.RowCount() - 1) {
            if (rows.IsChecked(RowIndex)) {
                const int rowBefore = RowIndex;
                const QString source = rows.Cell(RowIndex, TSourceList::colFileName);
                CommandLine = CommonLib->CreateConvertParameter(source);
                AppFunc->WriteLog(QStringLiteral("parameter: ") + CommandLine);
                ChunkCount = 0;
                progress.ResetFileBar();
                progress.Show();
                FModels.MainFormEnabled.SetChecked(false);

                ProcessPendingEvents();
                Platform().Sleep(cstBeforeStartMs);
                ProcessPendingEvents();

                auto runner = std::make_unique<TAdvanceSystem>(
                    CommandLine, [&progress](const QString& chunk) { progress.OnEncoderOutput(chunk); }, &progress);
                runner->start();
                ProcessPendingEvents();
                // Gives the encoder process time to appear before it is looked for by name.
                Platform().Sleep(cstAfterStartMs);
                while (AnyEncoderRunning()) {
                    Platform().Sleep(cstPollMs);
                    ProcessPendingEvents();
                }
                runner->wait();
                const TRunOutcome outcome = runner->Outcome();
                runner.reset();
                // The file's last chunks are still queued: let them land before the next file
                // starts counting its own.
                ProcessPendingEvents();

                // A file ended by Stop or by closing the window is not a failure.
                const bool endedByUser = RowIndex != rowBefore;
                if (!endedByUser && !outcome.Succeeded()) {
                    failures.push_back({source, FailureReason(outcome)});
                    AppFunc->WriteLog(QStringLiteral("Convert failed: ") + source + QStringLiteral(" - ") +
                                      failures.back().Reason);
                }
                ++DoneCount;
            }
            ++RowIndex;
        }

        if (!Stopped) {
            if (FModels.chkShowOutputDirectory.Checked()) {
                const QString folder = CommonLib->ConvertParameter.OutputFolder;
                OpenFolderInExplorer(folder.isEmpty() ? Platform().HomeFolder() : folder);
            }
            if (FModels.chkShutdown.Checked()) {
                // Unattended: the failures stay in the log, a box would only block the power-off.
                poweredOff = true;
                ShutdownComputer();
                Platform().ExitProcess(0);
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();

    if (!failures.empty() && !poweredOff) {
        QString text = QStringLiteral("These files were not converted:");
        for (const TFailedFile& f : failures)
            text += QStringLiteral("\n") + f.Path + QStringLiteral(" (") + f.Reason + QStringLiteral(")");
        CommonLib->ShowMsg(text, 1);
    }
    return true;
}
