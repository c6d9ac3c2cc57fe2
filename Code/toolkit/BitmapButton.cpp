#include "BitmapButton.h"

#include <QPainter>

TBitmapButton::TBitmapButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

QImage TBitmapButton::KeyOut(const QImage& picture, QColor transparent)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return result;
}

void TBitmapButton::SetPictures(const QImage& up, const QImage& hot, const QImage& down, QColor transparent)
{
    FUp = KeyOut(up, transparent);
    FHot = KeyOut(hot.isNull() ? up : hot, transparent);
    FDown = KeyOut(down.isNull() ? up : down, transparent);
    updateGeometry();
    update();
}

const QImage& TBitmapButton::CurrentPicture() const
{
    if (isDown() || isChecked())
        return FDown;
    if (FHovered && isEnabled())
        return FHot;
    return FUp;
}

QSize TBitmapButton::sizeHint() const
{
    return FUp.isNull() ? QSize(20, 20) : FUp.size();
}

void TBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QImage& picture = CurrentPicture();
    if (!picture.isNull())
        painter.drawImage(rect(), picture);
}

void TBitmapButton::enterEvent(QEnterEvent* event)
{
    FHovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TBitmapButton::leaveEvent(QEvent* event)
{
    FHovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
