#pragma once

#include <QImage>
#include <QWidget>

// One of the range bar's markers (Splitter1, Splitter2): its picture stretched over it with black
// shown in the marker's background colour, a hand cursor, and the mouse drags it. Only a
// change repaints it; nothing redraws it on a timer.
class TRangeMarker : public QWidget
{
    Q_OBJECT
public:
    explicit TRangeMarker(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return FPicture; }
    QColor Background() const { return palette().color(QPalette::Window); }
    // What the marker shows: the picture stretched to its size, black in the background colour.
    QImage Rendered() const;

    // The hidden marker pictures imgL and imgR: 17 x 19 double chevrons on black.
    static QImage imgL();
    static QImage imgR();
    static QImage ReplaceBlack(const QImage& picture, QColor colour);

signals:
    void Pressed();
    // Horizontal distance from where the button went down.
    void Dragged(int dx);
    void Released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Pointing right.
    static QImage Chevrons();

    QImage FPicture;
    bool FDragging = false;
    int FPressX = 0;
};
