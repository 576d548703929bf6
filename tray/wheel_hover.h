#pragma once
// A hover of the pointer over the strip, for the mouse wheel: while it lasts a low-level hook
// posts each turn of the wheel to the strip's window, and the turns on the strip's area add up
// to notches. Nothing is hooked outside a hover. While the wheel sets the volume the slider
// row shows it; that too is kept here, with whether the icons show it yet.
#include "tray/wheel_hook.h"
#include "tray/wheel_notches.h"

#include <windows.h>

class WheelHover {
public:
    WheelHover() = default;
    WheelHover(const WheelHover&) = delete;
    WheelHover& operator=(const WheelHover&) = delete;

    // Begins a hover that posts the wheel's turns to `window` as Message(); nothing happens
    // while one lasts. A hook that cannot be had leaves the wheel without effect for this
    // hover; the next hover tries again.
    void Begin(HWND window);
    // Ends the hover when the pointer is off `area` (its far edges count as on it).
    void EndIfLeft(const RECT& area);
    void End();
    bool Active() const { return m_active; }
    bool HookInstalled() const { return m_hook.Installed(); }
    // The whole notches of one posted turn (wParam: the delta, lParam: the screen point); 0
    // outside a hover or outside `area`. Partial deltas are kept for the next turn.
    int NotchesAt(WPARAM wParam, LPARAM lParam, const RECT& area);
    // The registered number of the posted message, so that it stands for nothing else to the
    // window or its old procedure.
    UINT Message() const { return m_message; }

    void ShowVolume(bool shown) { m_volumeShown = shown; }
    bool VolumeShown() const { return m_volumeShown; }
    // Whether the icons drawn last show the wheel's volume as it is now.
    bool VolumeDrawn() const { return m_volumeDrawn == m_volumeShown; }
    void VolumeWasDrawn() { m_volumeDrawn = m_volumeShown; }

private:
    bool m_active = false;
    WheelHook m_hook;
    WheelNotches m_notches;
    UINT m_message = RegisterWindowMessageW(L"Trelvane mouse wheel");
    bool m_volumeShown = false, m_volumeDrawn = false;
};
