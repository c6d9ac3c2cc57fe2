#pragma once

#include <QAbstractButton>
#include <QImage>

// A button drawn from three pictures: up, hot (under the mouse) and down. Pixels of the
// transparent colour are left out; the word or icon is part of the pictures.
class TBitmapButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TBitmapButton(QWidget* parent = nullptr);

    void SetPictures(const QImage& up, const QImage& hot, const QImage& down, QColor transparent);
    // The picture for the button's present state.
    const QImage& CurrentPicture() const;
    const QImage& Up() const { return FUp; }
    const QImage& Hot() const { return FHot; }
    const QImage& Down() const { return FDown; }

    QSize sizeHint() const override;
    static QImage KeyOut(const QImage& picture, QColor transparent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage FUp;
    QImage FHot;
    QImage FDown;
    bool FHovered = false;
};
