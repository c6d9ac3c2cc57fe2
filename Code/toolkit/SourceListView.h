#pragma once

#include <QTableView>

class TSourceList;

// The grid that shows the source list: a check column 16 pixels wide, a header row, columns
// fitted to the width (resizable, not movable), several rows selectable, grid lines, the
// selection visible without focus, time cells that open their editor on a click, and rows
// that can be dragged out of the list.
class TSourceListView : public QTableView
{
    Q_OBJECT
public:
    explicit TSourceListView(QWidget* parent = nullptr);

    // Shows the list and shares its selection.
    void SetSourceList(TSourceList* list);

    // Where a drag of rows ended: anywhere but this list counts as dragging the rows out.
    void FinishRowDrag(QObject* target);

signals:
    void ListClicked();
    // Before the key is handled.
    void KeyDown(int key);
    void KeyUp(int key);
    // The edit of a cell has ended.
    void Edited();
    void RowsDraggedOut();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitColumns();
};
