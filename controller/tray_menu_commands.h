#pragma once
// What each item of the tray popup menu does once chosen.
#include <windows.h>

class Trelvane;

// Carries out the command the menu returned. An id no item owns (0 when the menu was
// dismissed) goes to the player's main window as a WM_COMMAND, as the player's own would.
void RunTrayMenuCommand(Trelvane& controller, UINT command);
