#pragma once

#include <QObject>
#include <QString>
#include <Qt>
#include <cstdint>

class TPreviewPlayer;
class TSourceList;

// The trim range bar Panel1 as numbers: five elements edge to edge, Panel2 | Splitter1 | Panel4 |
// Splitter2 | Panel3, of which the two outer widths are the state. The markers' positions stand
// for the selected rows' Start and End Times as percentages of D, the duration of the row the
// markers were last positioned for. The widget lays itself out from here.
class TRangeBar : public QObject
{
    Q_OBJECT
public:
    static constexpr int cstBarWidth = 260;
    static constexpr int cstMarkerWidth = 19;

    TRangeBar(TPreviewPlayer& player, TSourceList& list, QObject* parent = nullptr);

    int BarWidth() const { return FBarWidth; }
    int Panel2Width() const { return FPanel2; }
    int Panel3Width() const { return FPanel3; }
    int Panel4Width() const { return FBarWidth - 2 * cstMarkerWidth - FPanel2 - FPanel3; }
    // Left edges of the start marker Splitter1 and the end marker Splitter2.
    int StartMarkerLeft() const { return FPanel2; }
    int EndMarkerLeft() const { return FBarWidth - cstMarkerWidth - FPanel3; }
    std::int64_t D() const { return FD; }

    // Plain width changes, no move handling (set-up, tests).
    void SetPanel2Width(int width);
    void SetPanel3Width(int width);
    void SetD(std::int64_t seconds) { FD = seconds; }
    // The width reset when the list becomes empty: both outer images 2 pixels wide.
    void ResetOuterWidths();

    // Live dragging: the image beside the marker takes the width within the limits (at least 1,
    // and the middle at least 1). True when the width changed, so the move handling is due.
    bool DragStartMarkerTo(int panel2Width);
    bool DragEndMarkerTo(int panel3Width);

    // The start marker's and the end marker's move handling.
    void SetStartTimeAndPlay();
    void Splitter2Moved();
    // Left-button clicks on the outer images, with the keys held.
    void Panel2MouseDown(Qt::KeyboardModifiers keys);
    void Panel3MouseDown(Qt::KeyboardModifiers keys);

    // Positions the markers for the selected rows and stops the player when the selection moved
    // to another file.
    void SyncSelection();

    // The percentages the markers stand for, from the outer widths.
    static int StartPercent(int panel2Width);
    static int EndPercent(int panel3Width);

signals:
    // The widths changed: lay out again.
    void Changed();
    // The end marker's picture is to be drawn again.
    void EndMarkerChanged();

private:
    static int ClickStep(Qt::KeyboardModifiers keys);
    void SetOuterWidths(int panel2, int panel3);

    TPreviewPlayer& FPlayer;
    TSourceList& FList;
    int FBarWidth = cstBarWidth;
    int FPanel2 = 1;
    int FPanel3 = 1;
    std::int64_t FD = 0;
};
