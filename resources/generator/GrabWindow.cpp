// Saves a picture of an X window (or the whole screen) as PNG; used by scripts/screenshot.
//   GrabWindow <out.png> [window-id [x y w h]]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

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
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot grab or write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
