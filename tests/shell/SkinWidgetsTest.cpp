#include "BitmapButton.h"
#include "SkinnedPanel.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor cstMagenta(255, 0, 255);
const QColor cstOlive(128, 128, 0);

// A 100 x 80 picture: magenta everywhere but a grey panel with a 10-pixel magenta rim.
QImage PanelPicture()
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(cstMagenta);
    for (int y = 10; y < 70; ++y)
        for (int x = 10; x < 90; ++x)
            picture.setPixel(x, y, qRgb(61, 65, 77));
    return picture;
}

} // namespace

TEST(SkinnedPanelTest, ShapeLeavesOutExactlyTheTransparentColour)
{
    TSkinnedPanel panel;
    panel.resize(100, 80);
    panel.SetPicture(PanelPicture(), cstMagenta, QMargins(20, 20, 20, 20));
    EXPECT_FALSE(panel.Shape().contains(QPoint(2, 2)));
    EXPECT_FALSE(panel.Shape().contains(QPoint(95, 40)));
    EXPECT_TRUE(panel.Shape().contains(QPoint(10, 10)));
    EXPECT_TRUE(panel.Shape().contains(QPoint(89, 69)));
    EXPECT_EQ(panel.Shape().boundingRect(), QRect(10, 10, 80, 60));
    EXPECT_EQ(panel.mask(), panel.Shape());
}

TEST(SkinnedPanelTest, BordersKeepTheirPixelsWhenThePanelGrows)
{
    TSkinnedPanel panel;
    panel.resize(100, 80);
    panel.SetPicture(PanelPicture(), cstMagenta, QMargins(20, 20, 20, 20));
    panel.resize(160, 120);
    QApplication::sendPostedEvents();
    QResizeEvent resize(QSize(160, 120), QSize(100, 80));
    QApplication::sendEvent(&panel, &resize);
    // The rim stays 10 pixels wide on every side; only the middle grew.
    EXPECT_EQ(panel.Scaled().size(), QSize(160, 120));
    EXPECT_EQ(panel.Shape().boundingRect(), QRect(10, 10, 140, 100));
    EXPECT_EQ(panel.Scaled().pixel(9, 60), cstMagenta.rgb());
    EXPECT_EQ(panel.Scaled().pixel(150, 110), cstMagenta.rgb());
}

TEST(BitmapButtonTest, ShowsUpHotAndDownWithOliveLeftOut)
{
    QImage up(30, 20, QImage::Format_RGB32), hot(30, 20, QImage::Format_RGB32), down(30, 20, QImage::Format_RGB32);
    up.fill(Qt::red);
    hot.fill(Qt::green);
    down.fill(Qt::blue);
    up.setPixel(0, 0, cstOlive.rgb());
    TBitmapButton button;
    button.SetPictures(up, hot, down, cstOlive);
    button.resize(button.sizeHint());
    EXPECT_EQ(button.sizeHint(), QSize(30, 20));
    EXPECT_EQ(qAlpha(button.Up().pixel(0, 0)), 0);
    EXPECT_EQ(button.Up().pixel(1, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(button.CurrentPicture().pixel(5, 5), QColor(Qt::red).rgb());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.CurrentPicture().pixel(5, 5), QColor(Qt::green).rgb());
    button.setDown(true);
    EXPECT_EQ(button.CurrentPicture().pixel(5, 5), QColor(Qt::blue).rgb());
    button.setDown(false);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
}
