// Finding the cell of one of the strip's icons among the shell's windows.
#include "tray/tray_windows.h"

#include "tray/strip_geometry.h"

#include <commctrl.h>
#include <cwchar>
#include <initializer_list>

namespace {

const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
const wchar_t kOverflowClass[] = L"NotifyIconOverflowWindow";
const wchar_t kToolbarClass[] = L"ToolbarWindow32";
// Wine shows each tray icon as a window of its own when the X11 driver runs the tray (the
// icon centred with a border of 2 pixels); its own taskbar draws the icons itself, in square
// cells of the same size lined up from the taskbar's right end.
const wchar_t* const kWineTrayIconClasses[] = {L"__wine_tray_icon", L"__winex11_tray_icon"};
constexpr int kWineIconBorder = 2;
// A shell that does not answer within this time is treated as not answering.
constexpr UINT kShellAnswerTimeout = 100;

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

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
int AtLeastOne(int value) { return value > 0 ? value : 1; }

// An icon is never shown larger than its cell.
SIZE ShownWithin(SIZE shown, const RECT& cell) {
    SIZE size = shown;
    if (size.cx > Width(cell)) size.cx = Width(cell);
    if (size.cy > Height(cell)) size.cy = Height(cell);
    return size;
}

// The size of a toolbar's buttons; the hint where the toolbar does not answer (or belongs to
// a hung shell).
SIZE ToolbarButtonSize(HWND toolbar, SIZE hint) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(toolbar, TB_GETBUTTONSIZE, 0, 0, SMTO_ABORTIFHUNG, kShellAnswerTimeout, &answer) &&
        LOWORD(answer) > 0 && HIWORD(answer) > 0)
        return SIZE{LOWORD(answer), HIWORD(answer)};
    return hint;
}

// "Shell_TrayWnd" > "TrayNotifyWnd" > "SysPager" > "ToolbarWindow32", as the taskbars of
// Windows 2000 to Windows 10 build it.
HWND FindClassicToolbar() {
    HWND window = FindWindowW(kTaskbarClass, nullptr);
    for (const wchar_t* childClass : {L"TrayNotifyWnd", L"SysPager", kToolbarClass}) {
        if (!window) return nullptr;
        window = FindWindowExW(window, nullptr, childClass, nullptr);
    }
    return window;
}

// A toolbar is a grid of equal cells. The taskbar's toolbar may start its first cell a little
// inside and centres its rows vertically; the overflow flyout's starts at its corner.
IconCell ToolbarCell(HWND toolbar, POINT pointer, const TrayHints& hints, bool centreRows, IconCell::Source source) {
    IconCell cell;
    RECT area = {};
    if (!WindowRect(toolbar, area)) return cell;
    const SIZE size = ToolbarButtonSize(toolbar, hints.toolbarCell);
    POINT origin = {area.left, area.top};
    if (centreRows) origin.x += hints.toolbarOrigin.x;
    const int columns = AtLeastOne((area.right - origin.x) / AtLeastOne(size.cx));
    const int rows = AtLeastOne(Height(area) / AtLeastOne(size.cy));
    if (centreRows) origin.y += (Height(area) - rows * size.cy) / 2 + hints.toolbarOrigin.y;
    cell.rect = StripGeometry::GridCell(pointer, origin, size, columns, rows);
    cell.shown = ShownWithin(hints.smallIcon, cell.rect);
    cell.source = source;
    return cell;
}

// The toolbar of the flyout that holds the icons the taskbar has no room for (Windows 7 to
// 10), while it is open and the pointer is on it.
HWND OverflowToolbarUnder(POINT pointer) {
    HWND flyout = FindWindowW(kOverflowClass, nullptr);
    if (!flyout || !IsWindowVisible(flyout)) return nullptr;
    HWND toolbar = FindWindowExW(flyout, nullptr, kToolbarClass, nullptr);
    RECT area = {};
    if (!WindowRect(toolbar, area) || !PtInRect(&area, pointer)) return nullptr;
    return toolbar;
}

typedef HRESULT(WINAPI* GetIconRectFunction)(const NOTIFYICONIDENTIFIER*, RECT*);

// Looked up at run time so that the module still loads where the shell lacks the function.
GetIconRectFunction ShellGetIconRect() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) return nullptr;
    return reinterpret_cast<GetIconRectFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconGetRect")));
}

// The tray icon window of Wine's X11 tray under the pointer. The pointer was over the
// reported icon when the shell sent the message, so that window is the icon's own.
bool WineIconWindowUnder(POINT pointer, RECT& rect) {
    HWND window = WindowFromPoint(pointer);
    if (!window) return false;
    wchar_t className[64] = {};
    if (!GetClassNameW(window, className, ARRAYSIZE(className))) return false;
    return IsWineTrayIconClass(className) && WindowRect(window, rect);
}

SIZE WineIconShown(const RECT& window) {
    return SIZE{AtLeastOne(Width(window) - 2 * kWineIconBorder), AtLeastOne(Height(window) - 2 * kWineIconBorder)};
}

// Wine's own taskbar draws the icons in cells of the small-icon size plus the border,
// right-aligned and centred vertically, with no window per icon and no toolbar.
bool WineTaskbarCell(POINT pointer, const TrayHints& hints, IconCell& cell) {
    HWND taskbar = FindWindowW(kTaskbarClass, nullptr);
    RECT area = {};
    if (!taskbar || !IsWindowVisible(taskbar) || !WindowRect(taskbar, area) || !PtInRect(&area, pointer)) return false;
    const SIZE size = {hints.smallIcon.cx + 2 * kWineIconBorder, hints.smallIcon.cy + 2 * kWineIconBorder};
    const int columns = AtLeastOne(Width(area) / size.cx);
    const POINT origin = {area.right - columns * size.cx, area.top + (Height(area) - size.cy) / 2};
    cell.rect = StripGeometry::GridCell(pointer, origin, size, columns, 1);
    cell.shown = ShownWithin(hints.smallIcon, cell.rect);
    cell.source = IconCell::Taskbar;
    return true;
}

} // namespace

namespace TrayWindows {

RECT TaskbarRect() {
    RECT rect = {};
    WindowRect(FindWindowW(kTaskbarClass, nullptr), rect);
    return rect;
}

bool ShellRectOf(const NOTIFYICONDATAW& record, RECT& rect) {
    GetIconRectFunction getRect = ShellGetIconRect();
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

IconCell CellUnderPointer(const NOTIFYICONDATAW& record, POINT pointer, const TrayHints& hints) {
    IconCell cell;
    if (hints.askShellFirst && ShellRectOf(record, cell.rect) && PtInRect(&cell.rect, pointer)) {
        cell.source = IconCell::ShellRect;
        cell.shown = ShownWithin(hints.smallIcon, cell.rect);
        return cell;
    }
    if (HWND overflow = OverflowToolbarUnder(pointer))
        return ToolbarCell(overflow, pointer, hints, false, IconCell::Overflow);
    if (HWND toolbar = FindClassicToolbar()) return ToolbarCell(toolbar, pointer, hints, true, IconCell::Toolbar);
    cell = IconCell();
    if (WineIconWindowUnder(pointer, cell.rect)) {
        cell.source = IconCell::IconWindow;
        cell.shown = WineIconShown(cell.rect);
        return cell;
    }
    if (WineTaskbarCell(pointer, hints, cell)) return cell;
    return IconCell();
}

} // namespace TrayWindows
