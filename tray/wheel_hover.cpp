// The mouse wheel over the strip: a hover begins with the first tray mouse message on one of
// the icons and ends at the first timer tick that finds the pointer off both, or when the
// icons are withdrawn. Only during a hover is the wheel hook installed, and only wheel turns
// on the strip's cells count.
#include "tray/NotifyIcons.h"

#include <windowsx.h>

void NotifyIcons::BeginWheelHover(int icon) {
    if (wheelHover || iconsWithdrawn) return;
    // The area found here is what the timer and the wheel's points are held against. A message
    // whose pointer is already off the icon's cell begins nothing.
    if (!LocatePointer(icon, IconPlacement::Evidence::None).onTray) return;
    wheelHover = true;
    wheelNotches.Reset();
    // A hook that cannot be had leaves the wheel without effect for this hover; the next hover
    // tries again.
    wheelHook.Install(hWnd, wheelMessage);
}

void NotifyIcons::EndWheelHoverIfLeft() {
    if (!wheelHover) return;
    // The strip's area with its far edges, as the tick that clears the press and the hover
    // takes it.
    RECT area = toolbarRect;
    ++area.right;
    ++area.bottom;
    POINT pointer = {};
    if (GetCursorPos(&pointer) && PtInRect(&area, pointer)) return;
    EndWheelHover();
}

void NotifyIcons::EndWheelHover() {
    wheelHook.Remove();
    wheelHover = false;
}

int NotifyIcons::WheelNotchesAt(WPARAM wParam, LPARAM lParam) {
    // A turn posted just before the hover ended may still arrive; it counts no more.
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!wheelHover || !PtInRect(&toolbarRect, point)) return 0;
    return wheelNotches.Add(static_cast<int>(static_cast<LONG_PTR>(wParam)));
}

void NotifyIcons::ShowWheelVolume(bool shown) {
    wheelVolume = shown;
    Refresh();
}

bool NotifyIcons::SliderRowShown() const { return playMode != Stopped || wheelVolume; }
