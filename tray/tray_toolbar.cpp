// Finding the tray's toolbar, or failing that the strip's icon, on screen.
#include "tray/tray_toolbar.h"

#include <cwchar>
#include <initializer_list>

namespace {

const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
// Wine shows each tray icon as a window of its own, the icon centred in it: in explorer's
// taskbar, and in the X11 driver's own tray when the desktop offers none.
const wchar_t* const kWineTrayIconClasses[] = {L"__wine_tray_icon", L"__winex11_tray_icon"};

bool IsWineTrayIconClass(const wchar_t* className) {
    for (const wchar_t* known : kWineTrayIconClasses)
        if (std::wcscmp(className, known) == 0) return true;
    return false;
}

bool WindowRect(HWND window, RECT& rect) {
    RECT found = {};
    if (!window || !GetWindowRect(window, &found)) return false;
    rect = found;
    return true;
}

// "Shell_TrayWnd" > "TrayNotifyWnd" > "SysPager" > "ToolbarWindow32", as the taskbars of
// Windows 2000 to Windows 10 build it.
bool FindClassicToolbar(RECT& rect) {
    HWND window = FindWindowW(kTaskbarClass, nullptr);
    for (const wchar_t* childClass : {L"TrayNotifyWnd", L"SysPager", L"ToolbarWindow32"}) {
        if (!window) return false;
        window = FindWindowExW(window, nullptr, childClass, nullptr);
    }
    return WindowRect(window, rect);
}

typedef HRESULT(WINAPI* GetIconRectFunction)(const NOTIFYICONIDENTIFIER*, RECT*);

// The shell's rectangle for one icon (Windows 7 and later). Looked up at run time so that the
// module still loads on systems whose shell lacks the function.
bool AskShellForIconRect(const NOTIFYICONDATAW& record, RECT& rect) {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) return false;
    auto getRect = reinterpret_cast<GetIconRectFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconGetRect")));
    if (!getRect) return false;
    NOTIFYICONIDENTIFIER identifier = {};
    identifier.cbSize = sizeof(identifier);
    identifier.hWnd = record.hWnd;
    identifier.uID = record.uID;
    if (record.uFlags & NIF_GUID) identifier.guidItem = record.guidItem;
    RECT found = {};
    if (FAILED(getRect(&identifier, &found)) || IsRectEmpty(&found)) return false;
    rect = found;
    return true;
}

// The tray icon window under the pointer. The pointer was over the reported icon when the
// shell sent the message, so that window is the icon's own unless the pointer has moved on.
bool FindIconWindowUnderPointer(POINT pointer, RECT& rect) {
    HWND window = WindowFromPoint(pointer);
    if (!window) return false;
    wchar_t className[64] = {};
    if (!GetClassNameW(window, className, ARRAYSIZE(className))) return false;
    if (!IsWineTrayIconClass(className)) return false;
    return WindowRect(window, rect);
}

} // namespace

namespace TrayWindows {

RECT TaskbarRect() {
    RECT rect = {};
    WindowRect(FindWindowW(kTaskbarClass, nullptr), rect);
    return rect;
}

TrayArea Locate(const NOTIFYICONDATAW& record, POINT pointer) {
    TrayArea area;
    if (FindClassicToolbar(area.rect)) area.kind = TrayArea::Toolbar;
    else if (AskShellForIconRect(record, area.rect) || FindIconWindowUnderPointer(pointer, area.rect))
        area.kind = TrayArea::Icon;
    return area;
}

} // namespace TrayWindows
