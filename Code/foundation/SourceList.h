#pragma once

#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <array>
#include <vector>

// The source list as the logic sees it: rows of seven texts in a fixed order, a selection of
// rows and one focused row. The Qt view shows this model and its selection model directly.
class TSourceList : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum TColumn : int
    {
        colCheck = 0,
        colFileName,
        colFileSize,
        colDuration,
        colStartTime,
        colEndTime,
        colCutTime,
        ColumnCount
    };
    using TRow = std::array<QString, ColumnCount>;

    explicit TSourceList(QObject* parent = nullptr);

    // The logic's view.
    int RowCount() const { return static_cast<int>(FRows.size()); }
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    bool IsChecked(int row) const { return Cell(row, colCheck) == QLatin1String("True"); }
    void AppendRow(const TRow& row);
    void RemoveRow(int row);
    void ClearRows();

    QItemSelectionModel* SelectionModel() { return &FSelection; }
    // Selected rows in list order.
    std::vector<int> SelectedRows() const;
    bool IsSelected(int row) const;
    // Adds a row to the selection without clearing the rest.
    void SelectRow(int row);
    void ClearSelection();
    // -1 when no row has the focus.
    int FocusedRow() const;
    void SetFocusedRow(int row);

    // The Qt model.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString ColumnCaption(int column);

private:
    std::vector<TRow> FRows;
    QItemSelectionModel FSelection;
};
