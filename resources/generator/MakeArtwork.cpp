// Draws Quorvid's artwork into a folder: the main window's background and button pictures, the
// logo, the time-display frame, the range-bar strips and markers, the splash and the icon.
//   MakeArtwork <folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>
#include <tuple>
#include <utility>

namespace {

const QColor cstMagenta(255, 0, 255);
const QColor cstOlive(128, 128, 0);
const QColor cstPanel(61, 65, 77);
const QColor cstPanelDark(44, 47, 57);
const QColor cstAccentA(38, 132, 214);
const QColor cstAccentB(22, 170, 160);
const QColor cstText(245, 247, 250);

QString Folder;

void Save(const QImage& image, const QString& name, const char* format = "PNG", int quality = -1)
{
    const QString path = Folder + name;
    if (!image.save(path, format, quality))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QFont Font(int pixels, bool bold = true)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLinearGradient Accent(QRectF r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, cstAccentA);
    g.setColorAt(1, cstAccentB);
    return g;
}

// The main window: a rounded slate panel with an accent title strip, on magenta.
void Background()
{
    QImage image(686, 486, QImage::Format_RGB32);
    image.fill(cstMagenta);
    // No antialiasing: the window's shape keys on the exact magenta.
    QPainter p(&image);
    const QRect panel(0, 30, 686, 456);
    QPainterPath shape;
    shape.addRoundedRect(panel, 16, 16);
    p.fillPath(shape, cstPanel);
    p.setClipPath(shape);
    // Title strip along the top edge.
    p.fillRect(QRect(0, 30, 686, 42), Accent(QRectF(0, 30, 686, 42)));
    p.fillRect(QRect(0, 71, 686, 1), QColor(255, 255, 255, 60));
    // Small mark at the left of the strip, beside the title.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 255, 230));
    p.setPen(Qt::NoPen);
    QPolygonF play;
    play << QPointF(78, 42) << QPointF(94, 51) << QPointF(78, 60);
    p.drawEllipse(QPointF(86, 51), 13, 13);
    p.setBrush(cstAccentA);
    p.drawPolygon(play.translated(-3, 0));
    // Recessed frame of the preview and the player row.
    p.setBrush(cstPanelDark);
    p.drawRoundedRect(QRectF(13, 73, 272, 212), 8, 8);
    // The settings card.
    p.setBrush(QColor(52, 56, 67));
    p.drawRoundedRect(QRectF(287, 129, 380, 146), 8, 8);
    p.end();
    Save(image, QStringLiteral("background.png"));
}

// A button in three states with olive corners.
void Button(const QString& name, QSize size, const std::function<void(QPainter&, QRectF, int)>& face, int radius = 5)
{
    const char* states[] = {"up", "hot", "down"};
    for (int state = 0; state < 3; ++state) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(cstOlive);
        QPainter p(&image);
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), radius, radius);
        const QRectF r(0, 0, size.width(), size.height());
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const QColor top = state == 1 ? QColor(96, 104, 124) : state == 2 ? QColor(40, 44, 54) : QColor(80, 87, 104);
        const QColor bottom = state == 1 ? QColor(74, 81, 98) : state == 2 ? QColor(56, 61, 74) : QColor(62, 68, 83);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillPath(path, g);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(state == 1 ? QColor(140, 190, 240) : QColor(30, 33, 41), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        face(p, state == 2 ? r.translated(1, 1) : r, state);
        p.end();
        Save(image, QStringLiteral("btn-%1-%2.png").arg(name, QLatin1String(states[state])));
    }
}

// Accent buttons (Convert): the same three states in the accent colours.
void AccentButton(const QString& name, QSize size, const QString& word)
{
    const char* states[] = {"up", "hot", "down"};
    for (int state = 0; state < 3; ++state) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(cstOlive);
        QPainter p(&image);
        QPainterPath path;
        const QRectF r(0, 0, size.width(), size.height());
        path.addRoundedRect(r, 6, 6);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, state == 1 ? cstAccentA.lighter(120) : state == 2 ? cstAccentA.darker(125) : cstAccentA);
        g.setColorAt(1, state == 1 ? cstAccentB.lighter(120) : state == 2 ? cstAccentB.darker(125) : cstAccentB);
        p.fillPath(path, g);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(cstText);
        p.setFont(Font(15));
        p.drawText(state == 2 ? r.translated(1, 1) : r, Qt::AlignCenter, word);
        p.end();
        Save(image, QStringLiteral("btn-%1-%2.png").arg(name, QLatin1String(states[state])));
    }
}

auto Word(const QString& word, int pixels = 12)
{
    return [word, pixels](QPainter& p, QRectF r, int) {
        p.setPen(cstText);
        p.setFont(Font(pixels));
        p.drawText(r, Qt::AlignCenter, word);
    };
}

void Glyph(QPainter& p, QRectF r, const QString& kind, QColor colour)
{
    p.save();
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const double s = std::min(r.width(), r.height()) / 2.0;
    if (kind == QLatin1String("minus")) {
        p.drawLine(QPointF(c.x() - s * 0.45, c.y()), QPointF(c.x() + s * 0.45, c.y()));
    } else if (kind == QLatin1String("cross")) {
        p.drawLine(QPointF(c.x() - s * 0.4, c.y() - s * 0.4), QPointF(c.x() + s * 0.4, c.y() + s * 0.4));
        p.drawLine(QPointF(c.x() + s * 0.4, c.y() - s * 0.4), QPointF(c.x() - s * 0.4, c.y() + s * 0.4));
    } else if (kind == QLatin1String("play")) {
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        QPolygonF t;
        t << QPointF(c.x() - s * 0.35, c.y() - s * 0.5) << QPointF(c.x() + s * 0.5, c.y())
          << QPointF(c.x() - s * 0.35, c.y() + s * 0.5);
        p.drawPolygon(t);
    } else if (kind == QLatin1String("pause")) {
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(c.x() - s * 0.4, c.y() - s * 0.45, s * 0.28, s * 0.9));
        p.drawRect(QRectF(c.x() + s * 0.12, c.y() - s * 0.45, s * 0.28, s * 0.9));
    } else if (kind == QLatin1String("stop")) {
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(c.x() - s * 0.4, c.y() - s * 0.4, s * 0.8, s * 0.8));
    } else if (kind == QLatin1String("house")) {
        QPolygonF roof;
        roof << QPointF(c.x() - s, c.y()) << QPointF(c.x(), c.y() - s) << QPointF(c.x() + s, c.y());
        p.drawPolyline(roof);
        p.drawRect(QRectF(c.x() - s * 0.7, c.y() - s * 0.05, s * 1.4, s * 0.95));
        p.drawRect(QRectF(c.x() - s * 0.2, c.y() + s * 0.35, s * 0.4, s * 0.55));
    } else if (kind == QLatin1String("envelope")) {
        const QRectF e(c.x() - s, c.y() - s * 0.65, 2 * s, s * 1.3);
        p.drawRect(e);
        QPolygonF flap;
        flap << e.topLeft() << QPointF(c.x(), c.y() + s * 0.1) << e.topRight();
        p.drawPolyline(flap);
    } else if (kind == QLatin1String("about")) {
        p.drawEllipse(c, s, s);
        p.setBrush(colour);
        p.drawEllipse(QPointF(c.x(), c.y() + s * 0.5), 1.2, 1.2);
        p.drawLine(QPointF(c.x(), c.y() - s * 0.55), QPointF(c.x(), c.y() + s * 0.15));
    } else if (kind == QLatin1String("folder")) {
        QPainterPath f;
        f.moveTo(c.x() - s * 0.8, c.y() + s * 0.6);
        f.lineTo(c.x() - s * 0.8, c.y() - s * 0.6);
        f.lineTo(c.x() - s * 0.25, c.y() - s * 0.6);
        f.lineTo(c.x() - s * 0.1, c.y() - s * 0.4);
        f.lineTo(c.x() + s * 0.8, c.y() - s * 0.4);
        f.lineTo(c.x() + s * 0.8, c.y() + s * 0.6);
        f.closeSubpath();
        p.drawPath(f);
    }
    p.restore();
}

auto Icon(const QString& kind, double scale = 0.7)
{
    return [kind, scale](QPainter& p, QRectF r, int) {
        const double w = r.width() * scale, h = r.height() * scale;
        Glyph(p, QRectF(r.center().x() - w / 2, r.center().y() - h / 2, w, h), kind, cstText);
    };
}

// A link-row button: an icon with its word under it.
auto IconWord(const QString& kind, const QString& word)
{
    return [kind, word](QPainter& p, QRectF r, int) {
        Glyph(p, QRectF(r.left() + 14, r.top() + 7, 20, 20), kind, cstText);
        p.setPen(cstText);
        p.setFont(Font(11));
        p.drawText(QRectF(r.left(), r.top() + 30, r.width(), 14), Qt::AlignCenter, word);
    };
}

void Logo()
{
    QImage image(514, 310, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(257, 140), 330);
    g.setColorAt(0, QColor(40, 52, 74));
    g.setColorAt(1, QColor(12, 14, 20));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent(QRectF(197, 70, 120, 120)));
    p.drawEllipse(QPointF(257, 130), 60, 60);
    QPolygonF t;
    t << QPointF(240, 100) << QPointF(287, 130) << QPointF(240, 160);
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(t);
    p.setPen(cstText);
    p.setFont(Font(44));
    p.drawText(QRectF(0, 200, 514, 60), Qt::AlignCenter, QStringLiteral("Quorvid"));
    p.setPen(QColor(170, 180, 200));
    p.setFont(Font(18, false));
    p.drawText(QRectF(0, 252, 514, 30), Qt::AlignCenter, QStringLiteral("Add a file and press Play to preview"));
    p.end();
    Save(image, QStringLiteral("logo.jpg"), "JPEG", 92);
}

void Splash()
{
    QImage image(480, 280, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 480, 280);
    g.setColorAt(0, QColor(26, 30, 40));
    g.setColorAt(1, QColor(48, 54, 70));
    p.fillRect(image.rect(), g);
    p.fillRect(QRect(0, 0, 480, 6), Accent(QRectF(0, 0, 480, 6)));
    p.setPen(Qt::NoPen);
    p.setBrush(Accent(QRectF(40, 70, 110, 110)));
    p.drawEllipse(QPointF(95, 125), 55, 55);
    QPolygonF t;
    t << QPointF(80, 98) << QPointF(122, 125) << QPointF(80, 152);
    p.setBrush(Qt::white);
    p.drawPolygon(t);
    p.setPen(cstText);
    p.setFont(Font(48));
    p.drawText(QRectF(175, 80, 300, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvid"));
    p.setPen(QColor(175, 185, 205));
    p.setFont(Font(16, false));
    p.drawText(QRectF(178, 138, 300, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Video for every phone"));
    p.setFont(Font(12, false));
    p.drawText(QRectF(24, 240, 432, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Starting\u2026"));
    p.drawText(QRectF(24, 240, 432, 20), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Brenwick"));
    p.end();
    Save(image, QStringLiteral("splash.jpg"), "JPEG", 90);
}

void TimeFrame()
{
    QImage image(80, 20, QImage::Format_RGB32);
    image.fill(cstPanelDark);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(cstAccentA, 1));
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(0.5, 0.5, 79, 19), 4, 4);
    p.end();
    Save(image, QStringLiteral("time-frame.png"));
}

void RangeStrips()
{
    // Outer strips: the parts before the start and after the end; the middle: the part kept.
    for (const auto& [name, top, bottom] :
         {std::tuple{QStringLiteral("range-outer.png"), QColor(72, 78, 94), QColor(56, 61, 74)},
          std::tuple{QStringLiteral("range-middle.png"), cstAccentA, cstAccentA.darker(130)}}) {
        QImage image(8, 19, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, 19);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillRect(image.rect(), g);
        p.fillRect(QRect(0, 0, 8, 4), QColor(61, 65, 77));
        p.fillRect(QRect(0, 15, 8, 4), QColor(61, 65, 77));
        p.end();
        Save(image, name);
    }
    // Markers on black, which the range bar shows in its own colour.
    for (const auto& [name, left] :
         {std::pair{QStringLiteral("marker-left.png"), true}, std::pair{QStringLiteral("marker-right.png"), false}}) {
        QImage image(17, 19, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 240, 248));
        p.drawRoundedRect(QRectF(6, 1, 5, 17), 2, 2);
        QPolygonF t;
        if (left)
            t << QPointF(11, 5) << QPointF(16, 9.5) << QPointF(11, 14);
        else
            t << QPointF(6, 5) << QPointF(1, 9.5) << QPointF(6, 14);
        p.setBrush(cstAccentB);
        p.drawPolygon(t);
        p.end();
        Save(image, name);
    }
}

void AppIcon()
{
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent(QRectF(16, 16, 224, 224)));
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);
    QPolygonF t;
    t << QPointF(100, 72) << QPointF(188, 128) << QPointF(100, 184);
    p.setBrush(Qt::white);
    p.drawPolygon(t);
    p.end();
    Save(image, QStringLiteral("quorvid.png"));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeArtwork <folder>\n");
        return 2;
    }
    Folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(Folder);
    Background();
    Button(QStringLiteral("minimize"), {25, 25}, Icon(QStringLiteral("minus"), 0.6), 6);
    Button(QStringLiteral("close"), {25, 25}, Icon(QStringLiteral("cross"), 0.6), 6);
    Button(QStringLiteral("homepage"), {48, 48}, IconWord(QStringLiteral("house"), QStringLiteral("Home")), 8);
    Button(QStringLiteral("email"), {48, 48}, IconWord(QStringLiteral("envelope"), QStringLiteral("Email")), 8);
    Button(QStringLiteral("about"), {48, 48}, IconWord(QStringLiteral("about"), QStringLiteral("About")), 8);
    Button(QStringLiteral("play"), {20, 20}, Icon(QStringLiteral("play")), 4);
    Button(QStringLiteral("pause"), {20, 20}, Icon(QStringLiteral("pause")), 4);
    Button(QStringLiteral("stop"), {20, 20}, Icon(QStringLiteral("stop")), 4);
    Button(QStringLiteral("options"), {70, 20}, Word(QStringLiteral("Advance")), 4);
    Button(QStringLiteral("folder"), {70, 20}, Word(QStringLiteral("Folder")), 4);
    Button(QStringLiteral("selectfolder"), {20, 20}, Icon(QStringLiteral("folder")), 4);
    Button(QStringLiteral("help"), {48, 20}, Word(QStringLiteral("Help")), 4);
    Button(QStringLiteral("openfile"), {100, 25}, Word(QStringLiteral("Open Files"), 13));
    Button(QStringLiteral("removefile"), {100, 25}, Word(QStringLiteral("Remove Files"), 13));
    Button(QStringLiteral("clearfile"), {100, 25}, Word(QStringLiteral("Clear All"), 13));
    AccentButton(QStringLiteral("convert"), {100, 35}, QStringLiteral("Convert"));
    Logo();
    Splash();
    TimeFrame();
    RangeStrips();
    AppIcon();
    return 0;
}
