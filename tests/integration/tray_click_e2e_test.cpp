// End to end: the stand-in player with the real component, and real pointer clicks on the
// two icons in Wine's tray. The road of a click: the tray icon
// window, the callback message, the pointer read back, hit-testing, the button's hook, the
// player's own command.
#include "host/component_loader.h"
#include "host/host_core.h"
#include "host/main_menu.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring ExecutableName() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring name(self);
    return name.substr(name.find_last_of(L"\\/") + 1);
}

void SetString(const std::wstring& key, const wchar_t* name, const wchar_t* value) {
    HKEY handle;
    RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

// Without a desktop of its own, Wine's X11 driver shows a tray window of its own that appends
// new icons on the right; with the Windows 7 profile the component adds icon 0 first, so the
// strip reads "|< ^ > >|" left to right.
void PrepareTray() {
    std::wstring app = L"Software\\Wine\\AppDefaults\\" + ExecutableName();
    SetString(app, L"Version", L"win7");
}

void ClearTray() { RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Wine\\AppDefaults\\" + ExecutableName()).c_str()); }

BOOL CALLBACK CollectTrayIcon(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring windowClass(name);
    if ((windowClass == L"__wine_tray_icon" || windowClass == L"__winex11_tray_icon") && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    EnumChildWindows(window, &CollectTrayIcon, found);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM found) {
    CollectTrayIcon(window, found);
    return TRUE;
}

// The tray's icon windows, left to right.
std::vector<RECT> TrayIconRects() {
    std::vector<HWND> windows;
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    std::vector<RECT> rects;
    for (HWND w : windows) {
        RECT r;
        GetWindowRect(w, &r);
        rects.push_back(r);
    }
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return rects;
}

void ClickAt(POINT at) {
    SetCursorPos(at.x, at.y);
    fb2k_host::PumpMessagesFor(100);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press[0], sizeof(INPUT));
    fb2k_host::PumpMessagesFor(100);
    SendInput(1, &press[1], sizeof(INPUT));
}

// A point inside a button of the strip: the 16 x 16 icon is centred in its tray window;
// buttons sit in rows 8 to 14, play/pause at the left of icon 1, next at its right.
POINT ButtonPoint(const RECT& iconWindow, int stripX) {
    int left = iconWindow.left + (iconWindow.right - iconWindow.left - 16) / 2;
    int top = iconWindow.top + (iconWindow.bottom - iconWindow.top - 16) / 2;
    return POINT{left + stripX, top + 11};
}

bool Executed(fb2k_host::Host& host, const char* command) {
    const std::vector<std::string>& done = host.Commands().Executed();
    return std::find(done.begin(), done.end(), command) != done.end();
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM depth) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    RECT r;
    GetWindowRect(window, &r);
    std::fprintf(stderr, "%*s%ls %ld,%ld-%ld,%ld %s\n", static_cast<int>(depth) * 2, "", name, r.left, r.top, r.right,
                 r.bottom, IsWindowVisible(window) ? "visible" : "hidden");
    if (depth < 3) EnumChildWindows(window, &PrintWindow, depth + 1);
    return TRUE;
}

// What the desktop holds, for a failure report.
void DescribeWindows() { EnumWindows(&PrintWindow, 0); }

enum ClickResult {
    kClicksWork = 0,
    kNoComponent = 10,
    kNoTrayIcons = 11,
    kPlayNotRun = 12,
    kNextNotRun = 13,
    kPreviousNotRun = 14
};

CHILD_PROCESS_BODY(click_the_tray) {
    fb2k_host::Host host;
    host.Popups().SetShowMessageBoxes(false);
    host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 200, {{"title", "A"}}}, {"C:\\Music\\b.flac", 200, {{"title", "B"}}}});
    ShowWindow(host.MainWindow(), SW_SHOWNOACTIVATE);
    fb2k_host::LoadedComponent component(host);
    if (!component.Load(L"foo_Trelvane.dll")) return kNoComponent;
    component.ServicesInit(true);
    component.Init();

    std::vector<RECT> icons;
    fb2k_host::PumpMessagesUntil([&] { return (icons = TrayIconRects()).size() >= 2; }, 5000);
    int result = kClicksWork;
    if (icons.size() < 2) {
        result = kNoTrayIcons;
        DescribeWindows();
    } else {
        const RECT& right = icons[icons.size() - 1];  // icon 1: play/pause and next
        ClickAt(ButtonPoint(right, 4));
        if (!fb2k_host::PumpMessagesUntil([&] { return Executed(host, "Play"); }, 5000)) result = kPlayNotRun;
        else {
            ClickAt(ButtonPoint(right, 12));
            if (!fb2k_host::PumpMessagesUntil([&] { return Executed(host, "Next"); }, 5000)) result = kNextNotRun;
            else {
                ClickAt(ButtonPoint(icons[0], 3));  // icon 0: previous at its left
                if (!fb2k_host::PumpMessagesUntil([&] { return Executed(host, "Previous"); }, 5000))
                    result = kPreviousNotRun;
            }
        }
    }
    if (result != kClicksWork) {
        for (const std::string& c : host.Commands().Executed()) std::fprintf(stderr, "ran %s\n", c.c_str());
    }
    component.Quit();
    component.Unload();
    return result;
}

TEST(TrayClicks, RealClicksOnTheTrayIconsRunThePlayersCommands) {
    PrepareTray();
    ChildResult child = RunChild("click_the_tray", 60000);
    ClearTray();
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kClicksWork))
        << "10: no component, 11: no icons in the tray, 12/13/14: a click on play/next/previous did nothing";
}

} // namespace
