#include "RangeBar.h"

#include "Errors.h"
#include "FilterGraph.h"
#include "PreviewPlayer.h"
#include "SourceList.h"
#include "SourceTexts.h"
#include "StrFunc.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// SyncSelection's reading: split at ":", each of the first three parts a number, truncated;
// fewer than three parts count as 0.
std::int64_t SplitTimeSeconds(const QString& text)
{
    const QStringList parts = SplitString(text, QLatin1Char(':'));
    if (parts.size() < 3)
        return 0;
    return static_cast<std::int64_t>(StrToNumber(parts[0])) * 3600 +
           static_cast<std::int64_t>(StrToNumber(parts[1])) * 60 + static_cast<std::int64_t>(StrToNumber(parts[2]));
}

// The move handling's reading back of a cell: three whole numbers split at ":".
std::int64_t CellSeconds(const QString& text)
{
    const QStringList parts = SplitString(text, QLatin1Char(':'));
    if (parts.size() < 3)
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return std::int64_t{StrToInt(parts[0])} * 3600 + std::int64_t{StrToInt(parts[1])} * 60 + StrToInt(parts[2]);
}

// Halves go to the even neighbour (the default rounding mode).
std::int64_t RoundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// Lets paints and timers run, but no further mouse moves inside the handling of one.
void LetPendingMessagesRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TRangeBar::TRangeBar(TPreviewPlayer& player, TSourceList& list, QObject* parent)
    : QObject(parent), FPlayer(player), FList(list)
{
}

int TRangeBar::StartPercent(int panel2Width)
{
    return ((panel2Width + cstMarkerWidth - 22) * 121) / cstBarWidth;
}

int TRangeBar::EndPercent(int panel3Width)
{
    const int endLeft = cstBarWidth - cstMarkerWidth - panel3Width;
    return ((endLeft + cstMarkerWidth - cstMarkerWidth - 22) * 121) / cstBarWidth;
}

void TRangeBar::SetOuterWidths(int panel2, int panel3)
{
    if (panel2 == FPanel2 && panel3 == FPanel3)
        return;
    FPanel2 = panel2;
    FPanel3 = panel3;
    emit Changed();
}

void TRangeBar::SetPanel2Width(int width)
{
    SetOuterWidths(width, FPanel3);
}

void TRangeBar::SetPanel3Width(int width)
{
    SetOuterWidths(FPanel2, width);
}

void TRangeBar::ResetOuterWidths()
{
    SetOuterWidths(2, 2);
}

bool TRangeBar::DragStartMarkerTo(int panel2Width)
{
    const int most = std::max(1, FBarWidth - 2 * cstMarkerWidth - FPanel3 - 1);
    const int width = std::clamp(panel2Width, 1, most);
    if (width == FPanel2)
        return false;
    SetPanel2Width(width);
    return true;
}

bool TRangeBar::DragEndMarkerTo(int panel3Width)
{
    const int most = std::max(1, FBarWidth - 2 * cstMarkerWidth - FPanel2 - 1);
    const int width = std::clamp(panel3Width, 1, most);
    if (width == FPanel3)
        return false;
    SetPanel3Width(width);
    return true;
}

void TRangeBar::SetStartTimeAndPlay()
{
    LetPendingMessagesRun();
    FBarWidth = cstBarWidth;
    if (EndMarkerLeft() - StartMarkerLeft() < 20 && FPanel2 > 1)
        SetPanel2Width(FPanel2 - 1);
    const int p = ((StartMarkerLeft() + cstMarkerWidth - 22) * 121) / FBarWidth;
    FPlayer.SetRangeStart(p * FD / 100);
    const QString start = SecondsToText(FPlayer.RangeStart());
    for (const int row : FList.SelectedRows()) {
        FList.SetCell(row, TSourceList::colStartTime, start);
        const std::int64_t cut = CellSeconds(FList.Cell(row, TSourceList::colEndTime)) -
                                 CellSeconds(FList.Cell(row, TSourceList::colStartTime));
        FList.SetCell(row, TSourceList::colCutTime, SecondsToText(cut));
        if (FPlayer.Follow() && FPlayer.Graph().Active()) {
            try {
                FPlayer.SeekPreview(FPlayer.RangeStart() * 1000);
            } catch (...) {
                // A preview that cannot seek keeps its place; the times are what matter.
            }
        }
    }
}

void TRangeBar::Splitter2Moved()
{
    LetPendingMessagesRun();
    FBarWidth = cstBarWidth;
    if (EndMarkerLeft() - StartMarkerLeft() < 20 && FPanel3 > 1)
        SetPanel3Width(FPanel3 - 1);
    const int q = ((EndMarkerLeft() + cstMarkerWidth - cstMarkerWidth - 22) * 121) / FBarWidth;
    const QString end = SecondsToText(q * FD / 100);
    for (const int row : FList.SelectedRows()) {
        FList.SetCell(row, TSourceList::colEndTime, end);
        FPlayer.SetEndMarkerText(end);
        const std::int64_t cut = CellSeconds(FList.Cell(row, TSourceList::colEndTime)) -
                                 CellSeconds(FList.Cell(row, TSourceList::colStartTime));
        FList.SetCell(row, TSourceList::colCutTime, SecondsToText(cut));
    }
    emit EndMarkerChanged();
}

int TRangeBar::ClickStep(Qt::KeyboardModifiers keys)
{
    if (keys == Qt::ControlModifier)
        return 1;
    if (keys == Qt::ShiftModifier)
        return 10;
    return 5;
}

void TRangeBar::Panel2MouseDown(Qt::KeyboardModifiers keys)
{
    const int step = ClickStep(keys);
    if (FPanel2 <= step || FPanel2 + FPanel3 + 45 > FBarWidth)
        return;
    SetPanel2Width(FPanel2 - step);
    SetStartTimeAndPlay();
}

void TRangeBar::Panel3MouseDown(Qt::KeyboardModifiers keys)
{
    const int step = ClickStep(keys);
    if (FPanel3 <= step || FPanel2 + FPanel3 + 45 > FBarWidth)
        return;
    SetPanel3Width(FPanel3 - step);
    Splitter2Moved();
}

void TRangeBar::SyncSelection()
{
    FBarWidth = cstBarWidth;
    const int startSpan = FBarWidth - 2 - 2 * cstMarkerWidth;
    const int endSpan = FBarWidth - 2 - 2 * cstMarkerWidth;
    for (const int row : FList.SelectedRows()) {
        if (FList.Cell(row, TSourceList::colFileName) == FPlayer.LoadedFile())
            continue;
        FPlayer.StopPreview();
        FD = SplitTimeSeconds(FList.Cell(row, TSourceList::colDuration));
        const std::int64_t s = SplitTimeSeconds(FList.Cell(row, TSourceList::colStartTime));
        const std::int64_t e = SplitTimeSeconds(FList.Cell(row, TSourceList::colEndTime));
        FPlayer.SetFollow(false);
        // A row without a readable duration has no position on the bar; the markers stay.
        if (FD > 0) {
            // Kept inside the bar: an End Time past the Duration would give a negative width.
            const int a = static_cast<int>(
                std::clamp<std::int64_t>(RoundHalfEven(double(s) / double(FD) * startSpan) + 1, 1, startSpan + 1));
            if (std::abs(a - FPanel2) > 1)
                SetPanel2Width(a);
            const int c = static_cast<int>(std::clamp<std::int64_t>(
                (FBarWidth - 2 * cstMarkerWidth - 2) - RoundHalfEven(double(e) / double(FD) * endSpan) + 1, 1,
                endSpan + 1));
            if (std::abs(c - FPanel3) > 2)
                SetPanel3Width(std::min(c, FBarWidth - 2 * cstMarkerWidth - FPanel2));
        }
        FPlayer.SetFollow(true);
    }
}
