#include "RangeMarker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TRangeMarker::TRangeMarker(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(61, 65, 77));
    setPalette(colours);
}

void TRangeMarker::SetPicture(const QImage& picture)
{
    FPicture = picture;
    update();
}

QImage TRangeMarker::Chevrons()
{
    QImage picture(17, 19, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(214, 224, 240), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const int offset : {3, 9}) {
        const int tip = offset + 4;
        const int back = offset;
        QPainterPath chevron;
        chevron.moveTo(back, 5);
        chevron.lineTo(tip, 9);
        chevron.lineTo(back, 13);
        painter.drawPath(chevron);
    }
    return picture;
}

QImage TRangeMarker::imgL()
{
    return Chevrons();
}

QImage TRangeMarker::imgR()
{
    return Chevrons().mirrored(true, false);
}

QImage TRangeMarker::ReplaceBlack(const QImage& picture, QColor colour)
{
    QImage result = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background = colour.rgb();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0)
                line[x] = background;
    }
    return result;
}

QImage TRangeMarker::Rendered() const
{
    if (FPicture.isNull() || width() <= 0 || height() <= 0)
        return {};
    // Stretch first, then replace: black pixels made by the stretching take the colour as well.
    return ReplaceBlack(FPicture.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation), Background());
}

void TRangeMarker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage shown = Rendered();
    if (shown.isNull())
        painter.fillRect(rect(), Background());
    else
        painter.drawImage(0, 0, shown);
}

void TRangeMarker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FDragging = true;
    FPressX = qRound(event->globalPosition().x());
    emit Pressed();
}

void TRangeMarker::mouseMoveEvent(QMouseEvent* event)
{
    if (FDragging)
        emit Dragged(qRound(event->globalPosition().x()) - FPressX);
}

void TRangeMarker::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FDragging || event->button() != Qt::LeftButton)
        return;
    FDragging = false;
    emit Released();
}
