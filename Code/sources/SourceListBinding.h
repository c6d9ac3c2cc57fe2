#pragma once

class TSourceListView;

// Connects the list's events to the source-list logic of the long-lived CustomProc: clicks and
// key presses follow the selection, Delete removes rows, an ended edit corrects the trim times,
// and rows dragged out are removed.
void BindSourceListView(TSourceListView& view);
