#include "SourceListBinding.h"

#include "AppObjects.h"
#include "ErrorHandler.h"
#include "SourceListView.h"
#include "UnitCustomProc.h"

namespace {

void SyncSelection()
{
    if (CustomProc->OnSyncSelection)
        CustomProc->OnSyncSelection();
}

} // namespace

void BindSourceListView(TSourceListView& view)
{
    QObject::connect(&view, &TSourceListView::ListClicked, &view, GuardedSlot([] { SyncSelection(); }));
    QObject::connect(&view, &TSourceListView::KeyDown, &view, GuardedSlot([](int key) {
        if (key == Qt::Key_Delete)
            CustomProc->DeleteKeyInSourceList();
        else
            SyncSelection();
    }));
    QObject::connect(&view, &TSourceListView::KeyUp, &view, GuardedSlot([](int) { SyncSelection(); }));
    QObject::connect(&view, &TSourceListView::Edited, &view,
                     GuardedSlot([] { CustomProc->dxTreeSourceFileInfoEdited(); }));
    QObject::connect(&view, &TSourceListView::RowsDraggedOut, &view,
                     GuardedSlot([] { CustomProc->RemoveSourceFiles(); }));
}
