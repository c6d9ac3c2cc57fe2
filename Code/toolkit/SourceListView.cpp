#include "SourceListView.h"

#include "SourceList.h"
#include "TimeEditDelegate.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace {
constexpr int cstCheckWidth = 16;
// Share of the width each text column starts with; File Name takes the most.
constexpr int cstWeights[TSourceList::ColumnCount] = {0, 4, 1, 1, 1, 1, 1};
} // namespace

TSourceListView::TSourceListView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(cstCheckWidth);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);

    auto* timeEditor = new TTimeEditDelegate(this);
    setItemDelegateForColumn(TSourceList::colStartTime, timeEditor);
    setItemDelegateForColumn(TSourceList::colEndTime, timeEditor);

    // The selection stays as visible when the list loses the focus.
    QPalette pal = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
}

void TSourceListView::SetSourceList(TSourceList* list)
{
    setModel(list);
    if (!list)
        return;
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(list->SelectionModel());
    if (own && own != list->SelectionModel())
        own->deleteLater();
    horizontalHeader()->setSectionResizeMode(TSourceList::colCheck, QHeaderView::Fixed);
    horizontalHeader()->resizeSection(TSourceList::colCheck, cstCheckWidth);
    for (int c = 1; c < TSourceList::ColumnCount; ++c)
        horizontalHeader()->resizeSection(c, cstWeights[c] * 100);
    FitColumns();
}

void TSourceListView::FitColumns()
{
    if (!model())
        return;
    QHeaderView* header = horizontalHeader();
    const int available = viewport()->width() - cstCheckWidth;
    if (available <= 0)
        return;
    int total = 0;
    for (int c = 1; c < TSourceList::ColumnCount; ++c)
        total += header->sectionSize(c) > 0 ? header->sectionSize(c) : cstWeights[c];
    // Keep the proportions the user gave the columns, scaled to the new width.
    int used = 0;
    for (int c = 1; c < TSourceList::ColumnCount - 1; ++c) {
        const int size = header->sectionSize(c) > 0 ? header->sectionSize(c) : cstWeights[c];
        const int width = std::max(1, static_cast<int>(static_cast<long long>(size) * available / total));
        header->resizeSection(c, width);
        used += width;
    }
    header->resizeSection(TSourceList::ColumnCount - 1, std::max(1, available - used));
}

void TSourceListView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    FitColumns();
}

void TSourceListView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool plainClick = event->modifiers() == Qt::NoModifier;
    if (event->button() == Qt::LeftButton && plainClick && at.isValid() && (at.flags() & Qt::ItemIsEditable))
        edit(at, QAbstractItemView::AllEditTriggers, event);
}

void TSourceListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    emit ListClicked();
}

void TSourceListView::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(event->key());
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TSourceListView::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    emit KeyUp(event->key());
}

void TSourceListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    emit Edited();
}

void TSourceListView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList rows = selectedIndexes();
    if (rows.isEmpty() || !model())
        return;
    QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(rows));
    drag->exec(supportedActions | Qt::MoveAction, Qt::MoveAction);
    if (!drag)
        return;
    QObject* target = drag->target();
    drag->deleteLater();
    FinishRowDrag(target);
}

void TSourceListView::FinishRowDrag(QObject* target)
{
    if (target != this && target != viewport())
        emit RowsDraggedOut();
}

void TSourceListView::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void TSourceListView::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void TSourceListView::dropEvent(QDropEvent* event)
{
    // Rows dropped back on the list change nothing; files are taken by the drop handler.
    event->acceptProposedAction();
}
