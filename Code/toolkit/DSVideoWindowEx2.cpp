#include "DSVideoWindowEx2.h"

#include "ErrorHandler.h"
#include "MpvGraph.h"
#include "ScreenSaverInhibitor.h"
#include "StretchedPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

TDSVideoWindowEx2::TDSVideoWindowEx2(QWidget* parent)
    : QWidget(parent), FLogoPanel(new QWidget(this)), FLogo(new TStretchedPicture(FLogoPanel)),
      FScreenSaver(new TScreenSaverInhibitor(this))
{
    setObjectName(QStringLiteral("DSVideoWindowEx1"));
    FLogoPanel->setObjectName(QStringLiteral("panLogo"));
    FLogo->setObjectName(QStringLiteral("imgLOGO"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The pointer is the video window's business also while the logo covers it.
    FLogoPanel->setAttribute(Qt::WA_TransparentForMouseEvents);
    FLogo->SetPicture(PlaceholderLogo());
    resize(257, 155);
    FCursorTimer.setSingleShot(true);
    FCursorTimer.setInterval(3000);
    connect(&FCursorTimer, &QTimer::timeout, this, [this] { Guarded([this] { HideCursor(); }); });
}

TDSVideoWindowEx2::~TDSVideoWindowEx2() = default;

void TDSVideoWindowEx2::SetFilterGraph(TMpvGraph* graph)
{
    if (FGraph)
        disconnect(FGraph, nullptr, this, nullptr);
    FGraph = graph;
    FScreenSaver->SetInhibited(graph && graph->Running());
    if (!graph)
        return;
    connect(graph, &TMpvGraph::FrameChanged, this, GuardedSlot([this] { update(); }));
    connect(graph, &TMpvGraph::RunningChanged, this,
            GuardedSlot([this](bool running) { FScreenSaver->SetInhibited(running); }));
    update();
}

void TDSVideoWindowEx2::SetLogo(const QImage& logo)
{
    FLogo->SetPicture(logo);
}

QRect TDSVideoWindowEx2::LetterboxRect(QSize picture, QRect area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const QSize fitted = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - fitted.width()) / 2, area.y() + (area.height() - fitted.height()) / 2,
                 fitted.width(), fitted.height());
}

QImage TDSVideoWindowEx2::PlaceholderLogo()
{
    QImage logo(257, 155, QImage::Format_RGB32);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, logo.height());
    gradient.setColorAt(0, QColor(38, 52, 84));
    gradient.setColorAt(1, QColor(8, 12, 24));
    painter.fillRect(logo.rect(), gradient);
    // A round play mark in the middle.
    const QPointF centre(logo.width() / 2.0, logo.height() / 2.0);
    painter.setPen(QPen(QColor(120, 160, 220), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 34, 34);
    QPainterPath triangle;
    triangle.moveTo(centre + QPointF(-11, -18));
    triangle.lineTo(centre + QPointF(20, 0));
    triangle.lineTo(centre + QPointF(-11, 18));
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor(120, 160, 220));
    return logo;
}

void TDSVideoWindowEx2::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!FGraph)
        return;
    const QImage frame = FGraph->Frame();
    if (frame.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(LetterboxRect(frame.size(), rect()), frame);
}

void TDSVideoWindowEx2::resizeEvent(QResizeEvent* event)
{
    FLogoPanel->setGeometry(QRect(QPoint(0, 0), event->size()));
    FLogo->setGeometry(FLogoPanel->rect());
    QWidget::resizeEvent(event);
}

void TDSVideoWindowEx2::mouseMoveEvent(QMouseEvent* event)
{
    ShowCursorAgain();
    QWidget::mouseMoveEvent(event);
}

void TDSVideoWindowEx2::enterEvent(QEnterEvent* event)
{
    ShowCursorAgain();
    QWidget::enterEvent(event);
}

void TDSVideoWindowEx2::leaveEvent(QEvent* event)
{
    FCursorTimer.stop();
    QWidget::leaveEvent(event);
}

void TDSVideoWindowEx2::ShowCursorAgain()
{
    if (FCursorHidden) {
        unsetCursor();
        FCursorHidden = false;
    }
    FCursorTimer.start();
}

void TDSVideoWindowEx2::HideCursor()
{
    setCursor(Qt::BlankCursor);
    FCursorHidden = true;
}
