#pragma once

#include <QImage>
#include <QWidget>

// A picture stretched to the whole widget, as the logo and the range bar's strips show theirs.
class TStretchedPicture : public QWidget
{
    Q_OBJECT
public:
    explicit TStretchedPicture(QWidget* parent = nullptr);

    const QImage& Picture() const { return FPicture; }
    void SetPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
};
