#pragma once

// Handles the events waiting on the calling (user-interface) thread: queued encoder output,
// timers, Stop and close. Used by the waits that must keep the windows alive.
void ProcessPendingEvents();
