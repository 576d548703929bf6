#pragma once
// Owners of the user-interface handles the component creates: windows and menus.
#include "base/unique_handle.h"

#include <windows.h>

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

// A window destroyed with its owner; DestroyWindow works only on the thread that created the
// window, which is the one that owns it here.
typedef UniqueHandle<HWND, WindowDestroyer> UniqueWindow;
// A menu destroyed with its owner, together with the submenus it still holds.
typedef UniqueHandle<HMENU, MenuDestroyer> UniqueMenu;
