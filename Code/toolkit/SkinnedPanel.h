#pragma once

#include <QImage>
#include <QMargins>
#include <QRegion>
#include <QWidget>

// A panel that paints a background picture over its whole size and cuts every pixel of the
// picture's transparent colour out of its window's shape. The picture's borders keep their
// pixels (rounded corners, title strip); only the part inside them stretches with the panel.
// The panel covers its whole window, whose shape it sets.
class TSkinnedPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TSkinnedPanel(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture, QColor transparent, QMargins fixedBorders);
    const QImage& Picture() const { return FPicture; }
    // The picture as painted at the current size, and the shape cut from it.
    const QImage& Scaled() const { return FScaled; }
    const QRegion& Shape() const { return FShape; }

    // The picture drawn at the size with its borders unstretched.
    static QImage StretchBorders(const QImage& picture, QSize size, QMargins borders);
    // Every pixel that is not of the transparent colour.
    static QRegion OpaqueRegion(const QImage& picture, QColor transparent);
    // Draws the picture for the size and gives the panel's window the shape cut from it.
    void FitTo(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyShape();

    QImage FPicture;
    QColor FTransparent;
    QMargins FBorders;
    QImage FScaled;
    QRegion FShape;
};
