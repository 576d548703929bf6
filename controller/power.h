#pragma once
// Pause on screen saver, keep-awake while playing, and the answer to suspension queries.
#include <windows.h>

// True when at least one present monitor reports full power.
bool IsMonitorOn();
// Runs at the start of every timer tick of the message window.
void ScreenSaverPoll();
// Runs on the keep-awake timer.
void KeepAwakeStep();
// The message window's answer to WM_POWERBROADCAST.
LRESULT PowerBroadcastAnswer(WPARAM event);
