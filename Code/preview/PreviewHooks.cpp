#include "PreviewHooks.h"

#include "PreviewPlayer.h"
#include "RangeBar.h"
#include "UnitCustomProc.h"

void ConnectPreviewHooks(TCustomProc& proc, TPreviewPlayer& player, TRangeBar& bar)
{
    proc.OnSyncSelection = [&bar] { bar.SyncSelection(); };
    proc.OnStopPreview = [&player] { player.StopPreview(); };
    proc.OnResetRangeBar = [&bar] { bar.ResetOuterWidths(); };
    proc.OnSeekPreviewIfFollowing = [&player](std::int64_t ms) { player.SeekPreviewIfFollowing(ms); };
}

void DisconnectPreviewHooks(TCustomProc& proc)
{
    proc.OnSyncSelection = nullptr;
    proc.OnStopPreview = nullptr;
    proc.OnResetRangeBar = nullptr;
    proc.OnSeekPreviewIfFollowing = nullptr;
}
