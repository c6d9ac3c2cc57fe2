#include "StretchedPicture.h"

#include <QPainter>

TStretchedPicture::TStretchedPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TStretchedPicture::SetPicture(const QImage& picture)
{
    FPicture = picture;
    update();
}

void TStretchedPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FPicture.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(rect(), FPicture);
}
