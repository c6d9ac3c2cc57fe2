// The corrections made when the edit of a time cell in the source list ends.
#include "ControlModels.h"
#include "SourceTexts.h"
#include "UnitCustomProc.h"

#include <algorithm>

void TCustomProc::dxTreeSourceFileInfoEdited()
{
    TSourceList& list = FModels.dxTreeSourceFileInfo;
    for (const int r : list.SelectedRows()) {
        const QString td = list.Cell(r, TSourceList::colDuration);
        QString ts = list.Cell(r, TSourceList::colStartTime);
        QString te = list.Cell(r, TSourceList::colEndTime);
        if (ts.isEmpty()) {
            ts = QStringLiteral("00:00:00");
            list.SetCell(r, TSourceList::colStartTime, ts);
        }
        if (te.isEmpty()) {
            te = td;
            list.SetCell(r, TSourceList::colEndTime, te);
        }
        const std::int64_t d = FixedTimeTextToSeconds(td);
        const std::int64_t s = FixedTimeTextToSeconds(ts);
        const std::int64_t e = FixedTimeTextToSeconds(te);
        // The comparisons below use the values as typed, not the corrected cells.
        if (s >= d)
            list.SetCell(r, TSourceList::colStartTime, td.left(8));
        if (s >= e)
            list.SetCell(r, TSourceList::colEndTime, list.Cell(r, TSourceList::colStartTime));
        if (OnSeekPreviewIfFollowing)
            OnSeekPreviewIfFollowing(FixedTimeTextToSeconds(list.Cell(r, TSourceList::colStartTime)) * 1000);
        if (e >= d)
            list.SetCell(r, TSourceList::colEndTime, td);
        list.SetCell(r, TSourceList::colCutTime, SecondsToText(std::min(e, d) - s));
    }
}
