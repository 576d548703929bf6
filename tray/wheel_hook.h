#pragma once
// Windows tells a tray icon nothing about the mouse wheel, so the strip watches the wheel with
// a low-level mouse hook for as long as the pointer is over it. The hook does nothing itself:
// each turn of the wheel becomes one message posted to a window, and every event goes on to
// the next hook unchanged.
#include <windows.h>

class WheelHook {
public:
    WheelHook() = default;
    ~WheelHook() { Remove(); }
    WheelHook(const WheelHook&) = delete;
    WheelHook& operator=(const WheelHook&) = delete;

    // Installs the hook. For each turn of the wheel `message` is posted to `window` with the
    // wheel's signed delta in wParam and the screen point of the event in lParam (as
    // MAKELPARAM of x and y). False when it cannot be had: no window, Windows refuses, or
    // another WheelHook of the process has it (there is one target for the whole process).
    bool Install(HWND window, UINT message);
    // Removes the hook; nothing happens when it is not installed.
    void Remove();
    bool Installed() const { return m_hook != nullptr; }

private:
    HHOOK m_hook = nullptr;
};
