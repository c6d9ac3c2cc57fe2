#pragma once

#include <QObject>
#include <QStringList>

// A drop-down list as the logic sees it: item texts and at most one selected item. An
// editable list also carries its own text (what the user typed or picked).
// Selecting from code emits Changed only; user-change handlers hang on the widget, never here.
class TChoiceList : public QObject
{
    Q_OBJECT
public:
    explicit TChoiceList(bool editable = false, QObject* parent = nullptr);

    const QStringList& Items() const { return FItems; }
    void AddItems(const QStringList& items);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }

    // -1 when no item is selected.
    int SelectedIndex() const { return FSelectedIndex; }
    // Any index outside the items (-1 included) leaves the list without a selection.
    void Select(int index);
    // The selected item's text, empty when nothing is selected.
    QString SelectedText() const;

    bool Editable() const { return FEditable; }
    // An editable list's text; for a plain list the selected item's text.
    QString Text() const;
    void SetText(const QString& text);

signals:
    void Changed();

private:
    QStringList FItems;
    int FSelectedIndex = -1;
    bool FEditable;
    QString FText;
};
