#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class TFilterGraph;
class TSourceList;

// The preview player's state and operations, on a media graph and the source list. The
// widgets (video window, time display, play-state bar) show what it holds; Changed tells them
// to look again. The range bar writes the range start, the end-marker text and the follow flag.
class TPreviewPlayer : public QObject
{
    Q_OBJECT
public:
    TPreviewPlayer(TFilterGraph& graph, TSourceList& list, QObject* parent = nullptr);

    TFilterGraph& Graph() { return FGraph; }

    // Player state.
    const QString& LoadedFile() const { return FLoadedFile; }
    bool Playing() const { return FPlaying; }
    std::int64_t RangeStart() const { return FRangeStart; }
    void SetRangeStart(std::int64_t seconds) { FRangeStart = seconds; }
    const QString& EndMarkerText() const { return FEndMarkerText; }
    void SetEndMarkerText(const QString& text) { FEndMarkerText = text; }
    bool Follow() const { return FFollow; }
    void SetFollow(bool follow) { FFollow = follow; }

    // What the widgets show: the logo panel panLogo, the time display pnlCurTime and the hidden
    // pbPlayState (range and position in ms).
    bool LogoVisible() const { return FLogoVisible; }
    const QString& CurTimeText() const { return FCurTimeText; }
    quint32 PlayStateMax() const { return FPlayStateMax; }
    quint32 PlayStatePosition() const { return FPlayStatePosition; }

    void PlayPreview();
    void PausePreview();
    // Stops, releases and clears the graph and forgets the loaded file; nothing when the graph
    // is not active.
    void StopPreview();
    // Loads and starts a file; every error is caught, a failed or partial render only logs.
    void OpenPreview(const QString& path);
    void SeekPreview(std::int64_t ms);
    // The seek after a typed Start Time: only when the preview follows the list and its graph
    // is active.
    void SeekPreviewIfFollowing(std::int64_t ms);
    // Closing the main window: the graph released and cleared.
    void ClosePreview();

    void btnPlayClick();
    void btnPauseClick();
    void btnStopClick();
    // The position bar's tick while the graph plays.
    void dstrckbrMainformTimer(quint32 positionMs, quint32 durationMs);

    static QString PositionText(std::int64_t seconds);

signals:
    void Changed();

private:
    void ShowLogo(bool visible);

    TFilterGraph& FGraph;
    TSourceList& FList;
    QString FLoadedFile;
    bool FPlaying = false;
    std::int64_t FRangeStart = 0;
    QString FEndMarkerText;
    bool FFollow = false;
    bool FLogoVisible = true;
    QString FCurTimeText = QStringLiteral("00:00:00");
    quint32 FPlayStateMax = 0;
    quint32 FPlayStatePosition = 0;
    // The second shown at the previous tick of uninterrupted playing; -1 after a seek or stop.
    std::int64_t FLastTickSecond = -1;
};
