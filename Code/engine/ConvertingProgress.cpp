#include "ConvertingProgress.h"

#include "AppObjects.h"
#include "ControlModels.h"
#include "Dialogs.h"
#include "ErrorHandler.h"
#include "Errors.h"
#include "StrFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"

#include <cmath>

namespace {

const QLatin1String cstUnknownSeconds("10000000000");

} // namespace

void TProgressBarState::SetMax(int max)
{
    Max = max;
    if (Min > Max)
        Min = Max;
    SetPosition(Position);
}

void TProgressBarState::SetPosition(int position)
{
    Position = position < Min ? Min : (position > Max ? Max : position);
}

TConvertingProgress::TConvertingProgress(QObject* parent) : QObject(parent)
{
    FTmrChanging.setInterval(500);
    connect(&FTmrChanging, &QTimer::timeout, this, [this] { Guarded([this] { tmrChangingTimer(); }); });
    FTmrChanging.start();
}

void TConvertingProgress::SetVisible(bool visible)
{
    if (FVisible == visible)
        return;
    FVisible = visible;
    emit VisibleChanged(visible);
}

void TConvertingProgress::Show()
{
    if (FVisible)
        return;
    SetVisible(true);
    FormShow();
}

void TConvertingProgress::Hide()
{
    SetVisible(false);
}

void TConvertingProgress::ResetFileBar()
{
    ProgressBar1.SetPosition(0);
    emit Changed();
}

void TConvertingProgress::FormShow()
{
    FPhase = 0;
    lblCurFileName = CommonLib->ConvertParameter.InputFile;
    lblPersent = QStringLiteral("Current: 1, Total: ") + QString::number(CustomProc->CheckedCount);
    for (TProgressBarState* bar : {&pbTotal, &ProgressBar1}) {
        bar->Min = 0;
        bar->SetMax(1);
        bar->SetPosition(0);
    }
    emit Changed();
}

void TConvertingProgress::OnEncoderOutput(const QString& chunk)
{
    statState = chunk;
    lblCurFileName = CommonLib->ConvertParameter.InputFile;
    actRefreshProgressExecute();
}

void TConvertingProgress::actRefreshProgressExecute()
{
    ++CustomProc->ChunkCount;
    // The first chunk of every file only lands in the status strip.
    if (CustomProc->ChunkCount > 1) {
        RefreshOverall();
        RefreshFileBar();
    }
    emit Changed();
}

void TConvertingProgress::RefreshOverall()
{
    // Uses the per-file bar as it stood before this chunk.
    const int checked = CustomProc->CheckedCount;
    const int done = CustomProc->DoneCount;
    pbTotal.SetMax(checked * 100);
    const int divisor = ProgressBar1.Max + 1;
    if (divisor == 0)
        return;
    pbTotal.SetPosition(ProgressBar1.Position * 100 / divisor + done * 100);
    lblPersent = QStringLiteral("Current: ") + QString::number(done + 1) + QStringLiteral(" , Total: ") +
                 QString::number(checked) + QLatin1Char('.');
}

void TConvertingProgress::RefreshFileBar()
{
    // A length that is negative (end before start) or unreadable can't be a range: the bar
    // then stays at 0 of 1 for the whole file.
    int cutSeconds = -1;
    if (!TryStrToInt(CustomProc->CutSeconds, cutSeconds) || cutSeconds < 0) {
        ProgressBar1.Min = 0;
        ProgressBar1.SetMax(1);
        ProgressBar1.SetPosition(0);
        return;
    }
    ProgressBar1.Min = 0;
    ProgressBar1.SetMax(cutSeconds);

    if (statState.isEmpty())
        return;
    const QStringList fields = SplitString(statState, QLatin1Char('='));
    const TConvertParameterStruct& p = CommonLib->ConvertParameter;
    const bool audioOnly =
        p.FiletypeCodec.trimmed().startsWith(QLatin1String("-acodec")) && p.OutputExt != QLatin1String(".3gp");
    const int index = audioOnly ? 2 : 4;
    if (fields.size() < (audioOnly ? 4 : 5))
        return;
    const QStringList pieces = SplitString(fields[index], QLatin1Char('.'));
    if (pieces.isEmpty() || pieces[0] == cstUnknownSeconds)
        return;
    double seconds = 0;
    try {
        seconds = StrToNumber(pieces[0]);
    } catch (const EConvertError&) {
        // Output that is not a progress line leaves the bar as it was.
        return;
    }
    if (!std::isfinite(seconds))
        return;
    seconds = std::trunc(seconds);
    if (seconds < ProgressBar1.Min)
        seconds = ProgressBar1.Min;
    if (seconds > ProgressBar1.Max)
        seconds = ProgressBar1.Max;
    ProgressBar1.SetPosition(static_cast<int>(seconds));
}

void TConvertingProgress::tmrChangingTimer()
{
    ++FPhase;
    if (FPhase > 5)
        FPhase = 1;
    static const char* const spinner[] = {"|", "/", "-", "\\", "|"};
    const QString mark = QLatin1String(spinner[FPhase - 1]);
    lblInfo = (ProgressBar1.Position < 3 ? QStringLiteral("Installing convert information  ")
                                         : QStringLiteral("Converting  ")) +
              mark;
    emit Changed();
}

void TConvertingProgress::btnStop1Click()
{
    if (Dialogs().AskYesNo(QStringLiteral("Are you sure you want to stop the work ? ")) != idYes)
        return;
    TCustomProc& proc = *CustomProc;
    proc.Stopped = true;
    Hide();
    proc.Models().MainFormEnabled.SetChecked(true);
    proc.RowIndex = proc.Models().dxTreeSourceFileInfo.RowCount() + 10;
    CommonLib->StopEncoder(CommonLib->ConvertParameter.EncoderPath);
    CommonLib->StopEncoder(QStringLiteral("favc"));
    ProgressBar1.SetPosition(0);
    pbTotal.Min = 0;
    pbTotal.SetMax(0);
    pbTotal.SetPosition(0);
    lblPersent = QStringLiteral("Current: 1, Total: ...");
    emit Changed();
}

void TConvertingProgress::FormClose()
{
    const bool yes = Dialogs().AskYesNo(QStringLiteral("Are you sure to stop processing ?")) == idYes;
    Hide();
    if (!yes)
        return;
    TCustomProc& proc = *CustomProc;
    proc.Models().MainFormEnabled.SetChecked(true);
    proc.RowIndex = proc.Models().dxTreeSourceFileInfo.RowCount() + 10;
    CommonLib->StopEncoder(CommonLib->ConvertParameter.EncoderPath);
}
