#include "ChoiceList.h"

TChoiceList::TChoiceList(bool editable, QObject* parent) : QObject(parent), FEditable(editable) {}

void TChoiceList::AddItems(const QStringList& items)
{
    FItems += items;
    emit Changed();
}

void TChoiceList::Clear()
{
    FItems.clear();
    FSelectedIndex = -1;
    emit Changed();
}

void TChoiceList::Select(int index)
{
    FSelectedIndex = (index >= 0 && index < Count()) ? index : -1;
    if (FEditable && FSelectedIndex >= 0)
        FText = FItems.at(FSelectedIndex);
    emit Changed();
}

QString TChoiceList::SelectedText() const
{
    return FSelectedIndex >= 0 ? FItems.at(FSelectedIndex) : QString();
}

QString TChoiceList::Text() const
{
    return FEditable ? FText : SelectedText();
}

void TChoiceList::SetText(const QString& text)
{
    FText = text;
    if (FSelectedIndex >= 0 && FItems.at(FSelectedIndex) != text)
        FSelectedIndex = -1;
    emit Changed();
}
