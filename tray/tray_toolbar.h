#pragma once
// Where the notification area shows the strip, found from the shell's windows.
#include <windows.h>
#include <shellapi.h>

// The screen area a tray message is measured against: the classic tray toolbar holding all
// icon cells, or, where the taskbar has no such toolbar (Windows 11, Wine), the rectangle of
// the one icon the message is about.
struct TrayArea {
    enum Kind { Unknown, Toolbar, Icon };
    Kind kind = Unknown;
    RECT rect = {};
};

namespace TrayWindows {

// Screen rectangle of the taskbar window ("Shell_TrayWnd"); all zero when there is none.
RECT TaskbarRect();

// The classic toolbar if the taskbar has one, else the rectangle of `record`'s icon: the
// shell's own answer for it, or the tray icon window under the pointer. Unknown when neither
// can be found.
TrayArea Locate(const NOTIFYICONDATAW& record, POINT pointer);

} // namespace TrayWindows
