// A hover begins with the first tray mouse message on one of the icons and ends at the first
// timer tick that finds the pointer off both, or when the icons are withdrawn.
#include "tray/wheel_hover.h"

#include <windowsx.h>

void WheelHover::Begin(HWND window) {
    if (m_active) return;
    m_active = true;
    m_notches.Reset();
    m_hook.Install(window, m_message);
}

void WheelHover::EndIfLeft(const RECT& area) {
    if (!m_active) return;
    RECT withEdges = area;
    ++withEdges.right;
    ++withEdges.bottom;
    POINT pointer = {};
    if (GetCursorPos(&pointer) && PtInRect(&withEdges, pointer)) return;
    End();
}

void WheelHover::End() {
    m_hook.Remove();
    m_active = false;
}

int WheelHover::NotchesAt(WPARAM wParam, LPARAM lParam, const RECT& area) {
    // A turn posted just before the hover ended may still arrive; it counts no more.
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!m_active || !PtInRect(&area, point)) return 0;
    return m_notches.Add(static_cast<int>(static_cast<LONG_PTR>(wParam)));
}
