#pragma once
// Where the shell shows one of the strip's icons, found from the shell's windows.
#include <windows.h>
#include <shellapi.h>

// The screen cell of one icon and the size the icon is shown at within it (centred).
struct IconCell {
    enum Source { None, ShellRect, Overflow, Toolbar, IconWindow, Taskbar };
    Source source = None;
    RECT rect = {};
    SIZE shown = {};
};

// What the strip knows beforehand about trays that do not tell everything themselves.
struct TrayHints {
    SIZE smallIcon = {};        // SM_CXSMICON, SM_CYSMICON: the size icons are shown at
    SIZE toolbarCell = {};      // a classic toolbar's cell when the toolbar does not say
    POINT toolbarOrigin = {};   // the first cell's offset inside the classic toolbar
    bool askShellFirst = false; // the shell's own rectangle comes first (Windows 7 and later)
};

namespace TrayWindows {

// Screen rectangle of the taskbar window ("Shell_TrayWnd"); all zero when there is none.
RECT TaskbarRect();

// The cell of `record`'s icon, which the shell has just reported the pointer over. In order:
// the shell's rectangle for the icon (when asked first and it holds the pointer); the
// overflow flyout's toolbar when it holds the pointer; the classic tray toolbar; a Wine tray
// icon window under the pointer; the icons Wine's taskbar draws itself. None when nothing of
// the tray can be found.
IconCell CellUnderPointer(const NOTIFYICONDATAW& record, POINT pointer, const TrayHints& hints);

// The shell's own rectangle for `record`'s icon, where the shell offers one.
bool ShellRectOf(const NOTIFYICONDATAW& record, RECT& rect);

} // namespace TrayWindows
