#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Takes files dropped from the desktop's file manager and adds them to the source list at
// once (no busy window, no folder stored). Other drops pass on untouched.
class TSourceFileDropHandler : public QObject
{
    Q_OBJECT
public:
    explicit TSourceFileDropHandler(QObject* parent = nullptr);

    // Lets the widget (and a scroll area's viewport) accept file drops through this handler.
    void Install(QWidget* widget);
    // The whole local paths the drop carries, in its order.
    static QStringList DroppedFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
