#include "RangeBarPanel.h"

#include "ErrorHandler.h"
#include "RangeBar.h"
#include "RangeMarker.h"
#include "StretchedPicture.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {

QImage Strip(QColor top, QColor bottom)
{
    QImage strip(8, TRangeBar::cstMarkerWidth, QImage::Format_RGB32);
    QPainter painter(&strip);
    QLinearGradient gradient(0, 0, 0, strip.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(strip.rect(), gradient);
    return strip;
}

} // namespace

TRangeBarPanel::TRangeBarPanel(TRangeBar& bar, QWidget* parent)
    : QWidget(parent), FBar(bar), FPanel2(new TStretchedPicture(this)), FSplitter1(new TRangeMarker(this)),
      FPanel4(new TStretchedPicture(this)), FSplitter2(new TRangeMarker(this)), FPanel3(new TStretchedPicture(this))
{
    setObjectName(QStringLiteral("Panel1"));
    FPanel2->setObjectName(QStringLiteral("Panel2"));
    FPanel4->setObjectName(QStringLiteral("Panel4"));
    FPanel3->setObjectName(QStringLiteral("Panel3"));
    FSplitter1->setObjectName(QStringLiteral("Splitter1"));
    FSplitter2->setObjectName(QStringLiteral("Splitter2"));
    setFixedSize(TRangeBar::cstBarWidth, TRangeBar::cstMarkerWidth);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(61, 65, 77));
    setPalette(colours);
    setAutoFillBackground(true);
    FPanel2->SetPicture(OuterStrip());
    FPanel3->SetPicture(OuterStrip());
    FPanel4->SetPicture(MiddleStrip());
    FSplitter1->SetPicture(TRangeMarker::imgL());
    FSplitter2->SetPicture(TRangeMarker::imgR());
    FPanel2->installEventFilter(this);
    FPanel3->installEventFilter(this);

    connect(&FBar, &TRangeBar::Changed, this, [this] { Relayout(); });
    connect(&FBar, &TRangeBar::EndMarkerChanged, FSplitter2, [this] { FSplitter2->update(); });
    connect(FSplitter1, &TRangeMarker::Dragged, this, GuardedSlot([this](int dx) {
                if (FBar.DragStartMarkerTo(FDragFrom + dx))
                    FBar.SetStartTimeAndPlay();
            }));
    connect(FSplitter2, &TRangeMarker::Dragged, this, GuardedSlot([this](int dx) {
                if (FBar.DragEndMarkerTo(FDragFrom - dx))
                    FBar.Splitter2Moved();
            }));
    connect(FSplitter1, &TRangeMarker::Pressed, this, [this] { FDragFrom = FBar.Panel2Width(); });
    connect(FSplitter2, &TRangeMarker::Pressed, this, [this] { FDragFrom = FBar.Panel3Width(); });
    connect(FSplitter1, &TRangeMarker::Released, this, GuardedSlot([this] { FBar.SetStartTimeAndPlay(); }));
    connect(FSplitter2, &TRangeMarker::Released, this, GuardedSlot([this] { FBar.Splitter2Moved(); }));
    Relayout();
}

QImage TRangeBarPanel::OuterStrip()
{
    return Strip(QColor(176, 206, 240), QColor(120, 160, 214));
}

QImage TRangeBarPanel::MiddleStrip()
{
    return Strip(QColor(52, 100, 186), QColor(20, 52, 120));
}

void TRangeBarPanel::Relayout()
{
    const int h = TRangeBar::cstMarkerWidth;
    const int m = TRangeBar::cstMarkerWidth;
    FPanel2->setGeometry(0, 0, FBar.Panel2Width(), h);
    FSplitter1->setGeometry(FBar.StartMarkerLeft(), 0, m, h);
    FPanel4->setGeometry(FBar.StartMarkerLeft() + m, 0, std::max(0, FBar.Panel4Width()), h);
    FSplitter2->setGeometry(FBar.EndMarkerLeft(), 0, m, h);
    FPanel3->setGeometry(FBar.EndMarkerLeft() + m, 0, FBar.Panel3Width(), h);
}

bool TRangeBarPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const Qt::KeyboardModifiers keys =
        mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    Guarded([&] {
        if (watched == FPanel2)
            FBar.Panel2MouseDown(keys);
        else if (watched == FPanel3)
            FBar.Panel3MouseDown(keys);
    });
    return true;
}
