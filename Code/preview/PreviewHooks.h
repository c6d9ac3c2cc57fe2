#pragma once

class TCustomProc;
class TPreviewPlayer;
class TRangeBar;

// Fills the source list's calls into the preview side on the long-lived TCustomProc:
//   OnSyncSelection          -> bar.SyncSelection()          (clicks, keys, after adding, Remove)
//   OnStopPreview            -> player.StopPreview()         (Remove, Delete, Clear)
//   OnResetRangeBar          -> bar.ResetOuterWidths()       (the list became empty)
//   OnSeekPreviewIfFollowing -> player.SeekPreviewIfFollowing(ms)   (a typed Start Time)
// The main window calls it once, after creating the player and the range bar; both must outlive
// proc's use of the hooks. DisconnectPreviewHooks empties them again (before either is destroyed).
void ConnectPreviewHooks(TCustomProc& proc, TPreviewPlayer& player, TRangeBar& bar);
void DisconnectPreviewHooks(TCustomProc& proc);
