#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QComboBox;
class TChoiceList;
class TControlModels;

// Keeps a drop-down box and its choice-list model in step both ways. The user's pick (or,
// in an editable box, typing) changes the model first and then runs the user-change handler,
// guarded; selections made by code only redraw the box and never reach the handler.
class TChoiceListBinding : public QObject
{
    Q_OBJECT
public:
    // Owned by the box.
    static TChoiceListBinding* Bind(QComboBox& box, TChoiceList& model, std::function<void()> userChange = {});

private:
    TChoiceListBinding(QComboBox& box, TChoiceList& model, std::function<void()> userChange);
    void ShowModel();
    void UserPicked(int index);
    void UserTyped(const QString& text);

    QComboBox& FBox;
    QPointer<TChoiceList> FModel;
    std::function<void()> FUserChange;
    // Set while the user's own edit goes into the model, so the box is not redrawn under the caret.
    bool FTakingUserEdit = false;
};

// Binds the main window's output-type and quality boxes; a user change in either applies the
// preset (or the custom profile) of the new pair.
void BindQualityLists(QComboBox& cbbOutputFiletype, QComboBox& cbbProfile, TControlModels& models);
