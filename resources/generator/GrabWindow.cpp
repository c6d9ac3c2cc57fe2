// Saves a picture of an X window (or the whole screen) as PNG; used by scripts/screenshot.
//   GrabWindow <out.png> [window-id [x y w h]]
// A shaped window comes out cropped to its shape, with everything outside the shape transparent,
// so the picture shows the window and not the screen behind its cut-outs.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#ifdef QUORVID_GRAB_SHAPE
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

namespace {

// The window's bounding shape in window coordinates; empty when it has none or it cannot be read.
QRegion WindowShape(unsigned long window)
{
    QRegion shape;
#ifdef QUORVID_GRAB_SHAPE
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return shape;
    int eventBase = 0, errorBase = 0;
    if (XShapeQueryExtension(display, &eventBase, &errorBase)) {
        int count = 0, ordering = 0;
        if (XRectangle* rectangles =
                XShapeGetRectangles(display, static_cast<Window>(window), ShapeBounding, &count, &ordering)) {
            for (int i = 0; i < count; ++i)
                shape += QRect(rectangles[i].x, rectangles[i].y, rectangles[i].width, rectangles[i].height);
            XFree(rectangles);
        }
    }
    XCloseDisplay(display);
#else
    (void)window;
#endif
    return shape;
}

QImage CutToShape(const QPixmap& picture, const QRegion& shape)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion inside = shape.intersected(image.rect());
    if (inside.isEmpty() || inside == QRegion(image.rect()))
        return image;
    QImage cut(image.size(), QImage::Format_ARGB32);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.setClipRegion(inside);
    painter.drawImage(0, 0, image);
    painter.end();
    return cut.copy(inside.boundingRect());
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3 && argc != 7) {
        std::fprintf(stderr, "usage: GrabWindow <out.png> [window-id [x y w h]]\n");
        return 2;
    }
    const WId window = argc >= 3 ? static_cast<WId>(std::strtoull(argv[2], nullptr, 0)) : 0;
    int x = 0, y = 0, w = -1, h = -1;
    if (argc == 7) {
        x = std::atoi(argv[3]);
        y = std::atoi(argv[4]);
        w = std::atoi(argv[5]);
        h = std::atoi(argv[6]);
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window, x, y, w, h);
    QImage image;
    if (!picture.isNull())
        image = window != 0 && argc == 3 ? CutToShape(picture, WindowShape(window)) : picture.toImage();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG", 0)) {
        std::fprintf(stderr, "cannot grab or write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
