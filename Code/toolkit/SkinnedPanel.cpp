#include "SkinnedPanel.h"

#include <QPainter>
#include <QTimer>

TSkinnedPanel::TSkinnedPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSkinnedPanel::SetPicture(const QImage& picture, QColor transparent, QMargins fixedBorders)
{
    FPicture = picture.convertToFormat(QImage::Format_RGB32);
    FTransparent = transparent;
    FBorders = fixedBorders;
    FScaled = QImage();
    FitTo(size());
}

QImage TSkinnedPanel::StretchBorders(const QImage& picture, QSize size, QMargins borders)
{
    QImage result(size, QImage::Format_RGB32);
    result.fill(Qt::black);
    if (picture.isNull() || size.isEmpty())
        return result;
    const int sw = picture.width(), sh = picture.height();
    const int l = borders.left(), t = borders.top(), r = borders.right(), b = borders.bottom();
    // Source and target columns and rows: border, stretched middle, border.
    const int sx[4] = {0, l, sw - r, sw};
    const int sy[4] = {0, t, sh - b, sh};
    const int tx[4] = {0, l, std::max(l, size.width() - r), size.width()};
    const int ty[4] = {0, t, std::max(t, size.height() - b), size.height()};
    QPainter painter(&result);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect source(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            const QRect target(tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]);
            if (!source.isEmpty() && !target.isEmpty())
                painter.drawImage(target, picture, source);
        }
    }
    return result;
}

QRegion TSkinnedPanel::OpaqueRegion(const QImage& picture, QColor transparent)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFF;
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (line[x] & 0xFFFFFF) == key)
                ++x;
            const int start = x;
            while (x < image.width() && (line[x] & 0xFFFFFF) != key)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

void TSkinnedPanel::FitTo(QSize size)
{
    if (FPicture.isNull() || size.isEmpty() || (FScaled.size() == size && !FShape.isEmpty()))
        return;
    FScaled = StretchBorders(FPicture, size, FBorders);
    // The cut-out keys on the exact colour, so the stretched middle never invents new holes.
    FShape = OpaqueRegion(FScaled, FTransparent);
    ApplyShape();
    update();
}

void TSkinnedPanel::ApplyShape()
{
    // The panel is the whole visible window: its shape is the window's. An empty shape would
    // mean no shape at all.
    if (FShape.isEmpty())
        return;
    QWidget* top = window();
    // Set afresh: a shape given before the native window existed is not always passed on.
    top->clearMask();
    top->setMask(FShape);
}

void TSkinnedPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once more after the window is up: xcb drops a shape given while it is being mapped.
    QTimer::singleShot(0, this, [this] { ApplyShape(); });
}

void TSkinnedPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FScaled.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(0, 0, FScaled);
}

void TSkinnedPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitTo(size());
}
