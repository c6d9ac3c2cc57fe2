#pragma once

#include <QStyledItemDelegate>

// Edits time cells with hours, minutes and seconds (00:00:00 to 23:59:59). The cell receives
// "hh:mm:ss", or the empty text when the edited time is 00:00:00.
class TTimeEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The cell text for an edited time, and the time an editor opens on for a cell text.
    static QString TimeToCellText(const QTime& time);
    static QTime CellTextToTime(const QString& text);
};
