#include "tests/support/tray_icon_windows.h"

#include "host/host_core.h"
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool IsTrayIconWindow(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring windowClass(name);
    return (windowClass == L"__wine_tray_icon" || windowClass == L"__winex11_tray_icon") && IsWindowVisible(window);
}

BOOL CALLBACK CollectTrayIcon(HWND window, LPARAM found) {
    if (IsTrayIconWindow(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// A tray icon is a top-level window or a child of one (docked into a tray window);
// EnumChildWindows visits every descendant.
BOOL CALLBACK CollectTopLevel(HWND window, LPARAM found) {
    CollectTrayIcon(window, found);
    EnumChildWindows(window, &CollectTrayIcon, found);
    return TRUE;
}

BOOL CALLBACK PrintWindowTree(HWND window, LPARAM depth) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    RECT r = {};
    GetWindowRect(window, &r);
    std::fprintf(stderr, "%*s%ls %ld,%ld-%ld,%ld %s\n", static_cast<int>(depth) * 2, "", name, r.left, r.top, r.right,
                 r.bottom, IsWindowVisible(window) ? "visible" : "hidden");
    if (depth < 3) EnumChildWindows(window, &PrintWindowTree, depth + 1);
    return TRUE;
}

} // namespace

std::vector<RECT> TrayIconWindowRects() {
    std::vector<HWND> windows;
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    std::vector<RECT> rects;
    for (HWND w : windows) {
        RECT r;
        if (GetWindowRect(w, &r)) rects.push_back(r);
    }
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return rects;
}

POINT IconPixel(const RECT& iconWindow, int x, int y) {
    int left = iconWindow.left + (iconWindow.right - iconWindow.left - 16) / 2;
    int top = iconWindow.top + (iconWindow.bottom - iconWindow.top - 16) / 2;
    return POINT{left + x, top + y};
}

void LeftClickAt(POINT at) {
    // A press that follows the pointer's jump at once is sometimes lost by the X server's
    // tray: a person rests the pointer a moment first.
    SetCursorPos(at.x, at.y);
    fb2k_host::PumpMessagesFor(300);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press[0], sizeof(INPUT));
    fb2k_host::PumpMessagesFor(100);
    SendInput(1, &press[1], sizeof(INPUT));
}

void DescribeDesktopWindows() { EnumWindows(&PrintWindowTree, 0); }
