#include "TimeEditDelegate.h"

#include <QTimeEdit>

namespace {
const QString cstFormat = QStringLiteral("hh:mm:ss");
}

QWidget* TTimeEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QTimeEdit(parent);
    editor->setDisplayFormat(cstFormat);
    editor->setTimeRange(QTime(0, 0, 0), QTime(23, 59, 59));
    editor->setFrame(false);
    return editor;
}

void TTimeEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* timeEdit = qobject_cast<QTimeEdit*>(editor))
        timeEdit->setTime(CellTextToTime(index.data(Qt::EditRole).toString()));
}

void TTimeEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* timeEdit = qobject_cast<QTimeEdit*>(editor))
        model->setData(index, TimeToCellText(timeEdit->time()), Qt::EditRole);
}

QString TTimeEditDelegate::TimeToCellText(const QTime& time)
{
    if (!time.isValid() || time == QTime(0, 0, 0))
        return {};
    return time.toString(cstFormat);
}

QTime TTimeEditDelegate::CellTextToTime(const QString& text)
{
    // A text the editor cannot hold (empty, 24 h and more) opens as 00:00:00.
    const QTime time = QTime::fromString(text, cstFormat);
    return time.isValid() ? time : QTime(0, 0, 0);
}
