#pragma once

#include <QWidget>

class TRangeBar;
class TRangeMarker;
class TStretchedPicture;

// The range bar Panel1 (260 x 19): Panel2, Splitter1, Panel4, Splitter2 and Panel3 laid out from
// the range bar's widths. Dragging a marker resizes the image beside it live and runs the
// marker's move handling on each change and once more on release; left clicks on the outer
// images step the markers.
class TRangeBarPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TRangeBarPanel(TRangeBar& bar, QWidget* parent = nullptr);

    TStretchedPicture* Panel2() const { return FPanel2; }
    TStretchedPicture* Panel4() const { return FPanel4; }
    TStretchedPicture* Panel3() const { return FPanel3; }
    TRangeMarker* Splitter1() const { return FSplitter1; }
    TRangeMarker* Splitter2() const { return FSplitter2; }

    // Placeholder strips until the artwork is supplied: light blue outside, darker blue inside.
    static QImage OuterStrip();
    static QImage MiddleStrip();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relayout();

    TRangeBar& FBar;
    TStretchedPicture* FPanel2;
    TRangeMarker* FSplitter1;
    TStretchedPicture* FPanel4;
    TRangeMarker* FSplitter2;
    TStretchedPicture* FPanel3;
    int FDragFrom = 0;
};
