#pragma once
// The stand-in player's main window: shows what plays and offers the transport commands in
// its menu, so that a person can drive the player by hand.
#include <windows.h>

namespace fb2k_host {

class Host;

HWND CreateMainWindow(Host& host);

} // namespace fb2k_host
