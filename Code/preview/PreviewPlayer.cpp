#include "PreviewPlayer.h"

#include "AppFunc.h"
#include "AppObjects.h"
#include "FilterGraph.h"
#include "Platform.h"
#include "SourceList.h"
#include "StrFunc.h"

#include <QCoreApplication>

namespace {

// Seconds of a time text split at ":", or -1 when it does not hold three whole numbers.
std::int64_t TimeTextSeconds(const QString& text)
{
    const QStringList parts = SplitString(text, QLatin1Char(':'));
    if (parts.size() < 3)
        return -1;
    int h = 0, m = 0, s = 0;
    if (!TryStrToInt(parts[0], h) || !TryStrToInt(parts[1], m) || !TryStrToInt(parts[2], s))
        return -1;
    return std::int64_t{h} * 3600 + m * 60 + s;
}

} // namespace

TPreviewPlayer::TPreviewPlayer(TFilterGraph& graph, TSourceList& list, QObject* parent)
    : QObject(parent), FGraph(graph), FList(list)
{
}

QString TPreviewPlayer::PositionText(std::int64_t seconds)
{
    return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                             static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
}

void TPreviewPlayer::ShowLogo(bool visible)
{
    FLogoVisible = visible;
    emit Changed();
}

void TPreviewPlayer::PlayPreview()
{
    if (!FGraph.Active())
        return;
    try {
        FGraph.Play();
        FPlaying = true;
        ShowLogo(false);
    } catch (...) {
        ShowLogo(true);
    }
}

void TPreviewPlayer::PausePreview()
{
    if (!FGraph.Active())
        return;
    try {
        FGraph.Pause();
        FPlaying = false;
        ShowLogo(false);
    } catch (...) {
        ShowLogo(true);
    }
}

void TPreviewPlayer::StopPreview()
{
    if (!FGraph.Active())
        return;
    FLastTickSecond = -1;
    try {
        FGraph.Stop();
        FGraph.SetActive(false);
        FGraph.Clear();
        FLoadedFile.clear();
        FCurTimeText = QStringLiteral("00:00:00");
        FPlaying = false;
        FPlayStatePosition = 0;
        ShowLogo(true);
    } catch (...) {
        ShowLogo(true);
    }
}

void TPreviewPlayer::OpenPreview(const QString& path)
{
    try {
        FLastTickSecond = -1;
        FGraph.SetActive(false);
        FGraph.Clear();
        FGraph.SetActive(true);
        int status = 0;
        bool failed = false;
        try {
            status = FGraph.RenderFile(path);
            FLoadedFile = path;
        } catch (...) {
            FLoadedFile.clear();
            failed = true;
        }
        if (failed || status != 0) {
            // Clear first: a log that cannot be written must not leave a half-rendered graph.
            FGraph.Clear();
            if (AppFunc)
                AppFunc->WriteLog(QStringLiteral("Playing Video error."));
            emit Changed();
            return;
        }
        try {
            PausePreview();
            PlayPreview();
            Platform().Sleep(10);
            QCoreApplication::processEvents();
            if (FFollow)
                SeekPreview(FRangeStart * 1000);
            FPlaying = true;
            ShowLogo(false);
        } catch (...) {
            ShowLogo(true);
        }
    } catch (...) {
        // Nothing reaches the user from here.
    }
    emit Changed();
}

void TPreviewPlayer::SeekPreview(std::int64_t ms)
{
    FLastTickSecond = -1;
    FGraph.Seek(ms);
}

void TPreviewPlayer::SeekPreviewIfFollowing(std::int64_t ms)
{
    if (FFollow && FGraph.Active())
        SeekPreview(ms);
}

void TPreviewPlayer::ClosePreview()
{
    FGraph.SetActive(false);
    FGraph.Clear();
}

void TPreviewPlayer::btnPlayClick()
{
    if (!FLoadedFile.isEmpty()) {
        if (!FPlaying)
            PlayPreview();
        return;
    }
    for (const int row : FList.SelectedRows())
        OpenPreview(FList.Cell(row, TSourceList::colFileName));
}

void TPreviewPlayer::btnPauseClick()
{
    if (!FLoadedFile.isEmpty() && FPlaying)
        PausePreview();
}

void TPreviewPlayer::btnStopClick()
{
    StopPreview();
}

void TPreviewPlayer::dstrckbrMainformTimer(quint32 positionMs, quint32 durationMs)
{
    FPlayStateMax = durationMs;
    FPlayStatePosition = positionMs;
    const std::int64_t t = FGraph.CurrentPosition() / 10000000;
    FCurTimeText = PositionText(t);
    bool atEndMarker = !FEndMarkerText.isEmpty() && FCurTimeText == FEndMarkerText;
    // A one-second tick can step over the marked second (…, 4.99 s, 6.01 s): passing it while
    // playing on counts as reaching it.
    const std::int64_t end = TimeTextSeconds(FEndMarkerText);
    if (!atEndMarker && end >= 0 && FLastTickSecond >= 0 && FLastTickSecond < end && end < t &&
        t - FLastTickSecond <= 2) {
        atEndMarker = true;
        FCurTimeText = FEndMarkerText;
    }
    FLastTickSecond = t;
    if (atEndMarker) {
        SeekPreview(0);
        PausePreview();
    }
    // A file without a known duration (0) would otherwise stop at the first tick.
    if (durationMs > 0 && positionMs >= durationMs) {
        SeekPreview(0);
        StopPreview();
    }
    emit Changed();
}
