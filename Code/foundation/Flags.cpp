#include "Flags.h"

TCheckBoxModel::TCheckBoxModel(bool checked, QObject* parent) : QObject(parent), FChecked(checked) {}

void TCheckBoxModel::SetChecked(bool checked)
{
    if (FChecked == checked)
        return;
    FChecked = checked;
    emit Changed();
}

TTextFieldModel::TTextFieldModel(QString text, QObject* parent) : QObject(parent), FText(std::move(text)) {}

void TTextFieldModel::SetText(const QString& text)
{
    if (FText == text)
        return;
    FText = text;
    emit Changed();
}
