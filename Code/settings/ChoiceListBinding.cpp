#include "ChoiceListBinding.h"

#include "AppObjects.h"
#include "ChoiceList.h"
#include "ControlModels.h"
#include "ErrorHandler.h"
#include "UnitCustomProc.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

TChoiceListBinding* TChoiceListBinding::Bind(QComboBox& box, TChoiceList& model, std::function<void()> userChange)
{
    return new TChoiceListBinding(box, model, std::move(userChange));
}

TChoiceListBinding::TChoiceListBinding(QComboBox& box, TChoiceList& model, std::function<void()> userChange)
    : QObject(&box), FBox(box), FModel(&model), FUserChange(std::move(userChange))
{
    box.setEditable(model.Editable());
    if (QLineEdit* edit = box.lineEdit()) {
        // Typed text is only the box's text: never a new entry, never completed to an entry.
        box.setInsertPolicy(QComboBox::NoInsert);
        box.setCompleter(nullptr);
        connect(edit, &QLineEdit::textEdited, this, GuardedSlot([this](const QString& text) { UserTyped(text); }));
    }
    connect(&box, &QComboBox::activated, this, GuardedSlot([this](int index) { UserPicked(index); }));
    connect(&model, &TChoiceList::Changed, this, GuardedSlot([this] { ShowModel(); }));
    ShowModel();
}

void TChoiceListBinding::ShowModel()
{
    if (!FModel || FTakingUserEdit)
        return;
    const QSignalBlocker block(&FBox);
    QStringList shown;
    for (int i = 0; i < FBox.count(); ++i)
        shown << FBox.itemText(i);
    if (shown != FModel->Items()) {
        FBox.clear();
        FBox.addItems(FModel->Items());
    }
    if (FBox.currentIndex() != FModel->SelectedIndex())
        FBox.setCurrentIndex(FModel->SelectedIndex());
    if (FBox.isEditable() && FBox.currentText() != FModel->Text())
        FBox.setEditText(FModel->Text());
}

void TChoiceListBinding::UserPicked(int index)
{
    if (!FModel)
        return;
    FModel->Select(index);
    if (FUserChange)
        FUserChange();
}

void TChoiceListBinding::UserTyped(const QString& text)
{
    if (!FModel)
        return;
    FTakingUserEdit = true;
    FModel->SetText(text);
    FTakingUserEdit = false;
    if (FUserChange)
        FUserChange();
}

void BindQualityLists(QComboBox& cbbOutputFiletype, QComboBox& cbbProfile, TControlModels& models)
{
    const auto applyProfile = [] { CustomProc->ApplyProfile(); };
    TChoiceListBinding::Bind(cbbOutputFiletype, models.cbbOutputFiletype, applyProfile);
    TChoiceListBinding::Bind(cbbProfile, models.cbbProfile, applyProfile);
}
