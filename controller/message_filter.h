#pragma once
// Letting a registered broadcast reach a window of a process that runs with more rights than
// the shell that sends it.
#include <windows.h>

// Lets `message` through the window's message filter (Windows 7 and later). Where the system
// has no such filter there is nothing to let through, and the call does nothing. Returns
// whether the message is let through or needs no letting.
bool LetMessageThrough(HWND window, UINT message);
