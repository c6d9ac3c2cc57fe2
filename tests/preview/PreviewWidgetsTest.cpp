#include "DSTrackBar.h"
#include "DSVideoWindowEx2.h"
#include "MpvGraph.h"
#include "PreviewControls.h"
#include "PreviewFixture.h"
#include "RangeBarPanel.h"
#include "RangeMarker.h"
#include "ScreenSaverInhibitor.h"
#include "StretchedPicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Drags a marker by dx pixels in single-pixel mouse moves.
void Drag(QWidget* marker, int dx)
{
    // The pointer moves on screen; the marker follows under it.
    const QPoint start = marker->mapToGlobal(QPoint(9, 9));
    SendMouse(marker, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const int step = dx < 0 ? -1 : 1;
    for (int moved = step; moved != dx + step; moved += step)
        SendMouse(marker, QEvent::MouseMove, start + QPoint(moved, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(marker, QEvent::MouseButtonRelease, start + QPoint(dx, 0), Qt::LeftButton, Qt::NoButton);
}

} // namespace

class RangeBarPanelTest : public PreviewFixture
{
public:
    void SetUp() override
    {
        PreviewFixture::SetUp();
        Panel = std::make_unique<TRangeBarPanel>(*Bar);
        Panel->show();
        AddRow(1);
        Select({0});
        Bar->SyncSelection();
    }
    void TearDown() override
    {
        Panel.reset();
        PreviewFixture::TearDown();
    }

    std::unique_ptr<TRangeBarPanel> Panel;
};

TEST_F(RangeBarPanelTest, FiveElementsEdgeToEdge)
{
    EXPECT_EQ(Panel->size(), QSize(260, 19));
    const std::pair<int, int> cases[] = {{1, 1}, {40, 70}, {2, 2}, {111, 110}};
    for (const auto& [left, right] : cases) {
        Bar->SetPanel2Width(left);
        Bar->SetPanel3Width(right);
        EXPECT_EQ(Panel->Panel2()->geometry(), QRect(0, 0, left, 19));
        EXPECT_EQ(Panel->Splitter1()->geometry(), QRect(left, 0, 19, 19));
        EXPECT_EQ(Panel->Panel4()->geometry(), QRect(left + 19, 0, 222 - left - right, 19));
        EXPECT_EQ(Panel->Splitter2()->geometry(), QRect(241 - right, 0, 19, 19));
        EXPECT_EQ(Panel->Panel3()->geometry(), QRect(260 - right, 0, right, 19));
    }
    EXPECT_EQ(Panel->Splitter1()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Panel->Splitter2()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(RangeBarPanelTest, ClicksOnTheImages)
{
    struct TCase
    {
        int Panel; // 2, 3 or 4
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Keys;
        int Panel2, Panel3, WantPanel2, WantPanel3;
    };
    const TCase cases[] = {
        {3, Qt::LeftButton, Qt::ShiftModifier, 20, 12, 20, 2},
        {3, Qt::LeftButton, Qt::ShiftModifier, 20, 10, 20, 10},
        {2, Qt::LeftButton, Qt::ControlModifier, 20, 12, 19, 12},
        {2, Qt::LeftButton, Qt::NoModifier, 20, 12, 15, 12},
        {2, Qt::RightButton, Qt::NoModifier, 20, 12, 20, 12},
        {4, Qt::LeftButton, Qt::NoModifier, 20, 12, 20, 12},
        {3, Qt::LeftButton, Qt::NoModifier, 100, 116, 100, 116}, // middle 6 px
    };
    for (const TCase& c : cases) {
        Bar->SetPanel2Width(c.Panel2);
        Bar->SetPanel3Width(c.Panel3);
        QWidget* target = c.Panel == 2 ? Panel->Panel2() : c.Panel == 3 ? Panel->Panel3() : Panel->Panel4();
        QTest::mouseClick(target, c.Button, c.Keys, QPoint(1, 5));
        EXPECT_EQ(Bar->Panel2Width(), c.WantPanel2) << c.Panel << " " << c.Panel2 << "/" << c.Panel3;
        EXPECT_EQ(Bar->Panel3Width(), c.WantPanel3) << c.Panel << " " << c.Panel2 << "/" << c.Panel3;
    }
    // The Shift-click's end marker handling wrote the row: q = (217 * 121) div 260 = 100 %.
    Bar->SetPanel3Width(12);
    QTest::mouseDClick(Panel->Panel3(), Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 5));
    EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), "00:01:40");
}

TEST_F(RangeBarPanelTest, DraggingMovesLiveWithinTheLimits)
{
    Drag(Panel->Splitter1(), 110);
    EXPECT_EQ(Bar->Panel2Width(), 111);
    EXPECT_EQ(Panel->Splitter1()->x(), 111);
    EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), "00:00:50");
    // Past the end marker it stops one pixel short.
    Drag(Panel->Splitter1(), 300);
    EXPECT_EQ(Bar->Panel4Width(), 1);
    EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), "00:01:40");
    Drag(Panel->Splitter1(), -500);
    EXPECT_EQ(Bar->Panel2Width(), 1);
    EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), "00:00:00");
    // The end marker, dragged left, narrows the middle from the right.
    Drag(Panel->Splitter2(), -110);
    EXPECT_EQ(Bar->Panel3Width(), 111);
    EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), "00:00:50");
    EXPECT_EQ(Player->EndMarkerText(), "00:00:50");
    Drag(Panel->Splitter2(), 200);
    EXPECT_EQ(Bar->Panel3Width(), 1);
    EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), "00:01:41");
}

TEST_F(RangeBarPanelTest, MarkersShowTheirPicturesWithBlackInTheBackgroundColour)
{
    const QImage left = TRangeMarker::imgL();
    const QImage right = TRangeMarker::imgR();
    EXPECT_EQ(left.size(), QSize(17, 19));
    EXPECT_EQ(right.size(), QSize(17, 19));
    EXPECT_EQ(right, left.mirrored(true, false));
    EXPECT_EQ(left.pixel(0, 0), qRgb(0, 0, 0));

    const QImage shown = Panel->Splitter1()->Rendered();
    ASSERT_EQ(shown.size(), QSize(19, 19));
    const QRgb background = qRgb(61, 65, 77);
    int black = 0, backgroundPixels = 0, drawn = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y);
            black += (p & 0xFFFFFF) == 0;
            backgroundPixels += p == background;
            drawn += p != background;
        }
    EXPECT_EQ(black, 0);
    EXPECT_GT(backgroundPixels, 200);
    EXPECT_GT(drawn, 10);
    // What is on screen is that picture.
    const QImage grabbed = Panel->Splitter1()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grabbed, shown);
}

TEST_F(RangeBarPanelTest, NothingRepaintsOnATimer)
{
    for (const QTimer* timer : Panel->findChildren<QTimer*>())
        EXPECT_FALSE(timer->isActive()) << timer->objectName().toStdString();
}

class PreviewControlsTest : public PreviewFixture
{
};

TEST_F(PreviewControlsTest, WidgetsShowThePlayer)
{
    TDSVideoWindowEx2 video;
    QLabel* curTime = TPreviewControls::CreateCurTimePanel(&video);
    QProgressBar playState;
    TDSTrackBar track;
    QPushButton play, pause, stop;
    TPreviewControls controls(*Player, &video, curTime, &playState, &track);
    controls.BindButtons(&play, &pause, &stop);
    video.show();
    EXPECT_EQ(curTime->text(), "00:00:00");
    EXPECT_EQ(curTime->size(), QSize(72, 17));
    EXPECT_EQ(curTime->font().pixelSize(), 14);
    EXPECT_TRUE(video.panLogo()->isVisible());
    EXPECT_EQ(video.panLogo()->geometry(), video.rect());

    AddRow(1);
    Select({0});
    play.click();
    EXPECT_EQ(Player->LoadedFile(), Name(1));
    EXPECT_FALSE(video.panLogo()->isVisible());
    Graph.PositionMs = 65000;
    emit track.OnTimer(65000, 100000);
    EXPECT_EQ(curTime->text(), "00:01:05");
    EXPECT_EQ(playState.maximum(), 100000);
    EXPECT_EQ(playState.value(), 65000);
    pause.click();
    EXPECT_FALSE(Player->Playing());
    stop.click();
    EXPECT_TRUE(video.panLogo()->isVisible());
    EXPECT_EQ(curTime->text(), "00:00:00");
    EXPECT_EQ(playState.value(), 0);
}

TEST(VideoWindow, LetterboxRect)
{
    struct TCase
    {
        QSize Picture;
        QRect Want;
    };
    const QRect area(0, 0, 257, 155);
    const TCase cases[] = {
        {{640, 360}, {0, 5, 257, 144}},  // wider: bars above and below
        {{320, 240}, {25, 0, 206, 155}}, // narrower: bars left and right
        {{257, 155}, {0, 0, 257, 155}},
        {{0, 0}, {}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TDSVideoWindowEx2::LetterboxRect(c.Picture, area), c.Want) << c.Picture.width();
}

TEST(VideoWindow, PointerHidesAfterRestingAndReturnsOnMove)
{
    TDSVideoWindowEx2 video;
    EXPECT_EQ(video.AutoHideCursorMs(), 3000);
    EXPECT_EQ(video.size(), QSize(257, 155));
    video.SetAutoHideCursorMs(30);
    video.show();
    SendMouse(&video, QEvent::MouseMove, video.mapToGlobal(QPoint(10, 10)), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(video.CursorHidden());
    EXPECT_TRUE(WaitFor([&] { return video.CursorHidden(); }, 2000));
    EXPECT_EQ(video.cursor().shape(), Qt::BlankCursor);
    SendMouse(&video, QEvent::MouseMove, video.mapToGlobal(QPoint(12, 10)), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(video.CursorHidden());
    EXPECT_NE(video.cursor().shape(), Qt::BlankCursor);
}

TEST(VideoWindow, PaintsFramesLetterboxedOnBlack)
{
    TMpvOutput output;
    output.NullAudio = true;
    TMpvGraph graph(output);
    TDSVideoWindowEx2 video;
    video.SetFilterGraph(&graph);
    video.panLogo()->hide();
    video.show();
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "wide-16x9.mp4");
    graph.Play();
    ASSERT_TRUE(WaitFor([&] { return !graph.Frame().isNull(); }));
    EXPECT_TRUE(video.ScreenSaver()->Wanted());
    graph.Pause();
    EXPECT_FALSE(video.ScreenSaver()->Wanted());
    const QImage shot = video.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(257, 155));
    for (const int x : {0, 128, 256}) {
        EXPECT_EQ(shot.pixel(x, 0), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(shot.pixel(x, 154), qRgb(0, 0, 0)) << x;
    }
    int coloured = 0;
    for (int x = 0; x < 257; x += 8)
        coloured += shot.pixel(x, 77) != qRgb(0, 0, 0);
    EXPECT_GT(coloured, 20);
    graph.SetActive(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(video.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(128, 77), qRgb(0, 0, 0));
}
