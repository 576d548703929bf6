#pragma once
// Moving the real pointer for a test. Under Wine the move goes through the X server, and
// GetCursorPos may report the old place for a moment: the move waits until Windows reports
// the new one.
#include <windows.h>

// False when the pointer could not be moved there within a second.
bool MovePointerTo(POINT point);
