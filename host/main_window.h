#pragma once
// The stand-in player's main window: shows what plays and offers the transport commands in
// its menu, so that a person can drive the player by hand.
#include <windows.h>

namespace fb2k_host {

class Host;
class ComponentMenus;

HWND CreateMainWindow(Host& host);

// Lets the window's menu bar run the commands of the components' menus, which must already
// be in the bar (ComponentMenus::Build); null detaches them before the components go.
void AttachComponentMenus(HWND window, ComponentMenus* menus);

} // namespace fb2k_host
