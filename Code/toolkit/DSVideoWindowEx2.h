#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class TMpvGraph;
class TScreenSaverInhibitor;
class TStretchedPicture;

// The preview's video window: the graph's frames letterboxed on black, the logo panel over it
// all while nothing plays, the pointer hidden after it rests over the window for a while, and the
// screen saver kept off while the graph runs.
class TDSVideoWindowEx2 : public QWidget
{
    Q_OBJECT
public:
    explicit TDSVideoWindowEx2(QWidget* parent = nullptr);
    ~TDSVideoWindowEx2() override;

    void SetFilterGraph(TMpvGraph* graph);
    // The logo panel: a child covering the window, holding the stretched logo imgLOGO.
    QWidget* panLogo() const { return FLogoPanel; }
    TStretchedPicture* imgLOGO() const { return FLogo; }
    void SetLogo(const QImage& logo);

    int AutoHideCursorMs() const { return FCursorTimer.interval(); }
    void SetAutoHideCursorMs(int ms) { FCursorTimer.setInterval(ms); }
    bool CursorHidden() const { return FCursorHidden; }
    TScreenSaverInhibitor* ScreenSaver() const { return FScreenSaver; }

    // Where a picture of the given size lands in the area, kept in proportion and centred.
    static QRect LetterboxRect(QSize picture, QRect area);
    // A stand-in logo until the artwork is supplied.
    static QImage PlaceholderLogo();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ShowCursorAgain();
    void HideCursor();

    QPointer<TMpvGraph> FGraph;
    QWidget* FLogoPanel;
    TStretchedPicture* FLogo;
    TScreenSaverInhibitor* FScreenSaver;
    QTimer FCursorTimer;
    bool FCursorHidden = false;
};
