#include "SourceList.h"

TSourceList::TSourceList(QObject* parent) : QAbstractTableModel(parent), FSelection(this) {}

QString TSourceList::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount)
        return {};
    return FRows[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void TSourceList::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount)
        return;
    FRows[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at);
}

void TSourceList::AppendRow(const TRow& row)
{
    beginInsertRows({}, RowCount(), RowCount());
    FRows.push_back(row);
    endInsertRows();
}

void TSourceList::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    beginRemoveRows({}, row, row);
    FRows.erase(FRows.begin() + row);
    endRemoveRows();
}

void TSourceList::ClearRows()
{
    beginResetModel();
    FRows.clear();
    endResetModel();
    FSelection.clear();
}

std::vector<int> TSourceList::SelectedRows() const
{
    std::vector<int> rows;
    for (int r = 0; r < RowCount(); ++r)
        if (IsSelected(r))
            rows.push_back(r);
    return rows;
}

bool TSourceList::IsSelected(int row) const
{
    return FSelection.isRowSelected(row, {});
}

void TSourceList::SelectRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    FSelection.select(index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TSourceList::ClearSelection()
{
    FSelection.clearSelection();
}

int TSourceList::FocusedRow() const
{
    const QModelIndex current = FSelection.currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TSourceList::SetFocusedRow(int row)
{
    if (row < 0 || row >= RowCount())
        FSelection.setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    else
        FSelection.setCurrentIndex(index(row, 1), QItemSelectionModel::NoUpdate);
}

int TSourceList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int TSourceList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TSourceList::data(const QModelIndex& at, int role) const
{
    if (!at.isValid())
        return {};
    const QString text = Cell(at.row(), at.column());
    if (at.column() == colCheck) {
        if (role == Qt::CheckStateRole)
            return text == QLatin1String("True") ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text;
    return {};
}

bool TSourceList::setData(const QModelIndex& at, const QVariant& value, int role)
{
    if (!at.isValid())
        return false;
    if (at.column() == colCheck && role == Qt::CheckStateRole) {
        const bool checked = value.toInt() == Qt::Checked;
        SetCell(at.row(), colCheck, checked ? QStringLiteral("True") : QStringLiteral("False"));
        return true;
    }
    if ((at.column() == colStartTime || at.column() == colEndTime) && role == Qt::EditRole) {
        SetCell(at.row(), at.column(), value.toString());
        return true;
    }
    return false;
}

Qt::ItemFlags TSourceList::flags(const QModelIndex& at) const
{
    if (!at.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (at.column() == colCheck)
        f |= Qt::ItemIsUserCheckable;
    if (at.column() == colStartTime || at.column() == colEndTime)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TSourceList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ColumnCaption(section);
    return {};
}

QString TSourceList::ColumnCaption(int column)
{
    static const char* const captions[ColumnCount] = {"",           "File Name", "File Size", "Duration",
                                                      "Start Time", "End Time",  "Cut Time"};
    return (column >= 0 && column < ColumnCount) ? QString::fromLatin1(captions[column]) : QString();
}
