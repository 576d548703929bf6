// The mouse wheel over the strip: the strip begins a hover (tray/wheel_hover.h) with the first
// tray mouse message on one of its icons, holds it against the icons' area, and shows the
// slider row while the wheel sets the volume.
#include "tray/NotifyIcons.h"

void NotifyIcons::BeginWheelHover(int icon) {
    if (wheelHover.Active() || iconsWithdrawn) return;
    // The area found here is what the timer and the wheel's points are held against. A message
    // whose pointer is already off the icon's cell begins nothing.
    if (!LocatePointer(icon, IconPlacement::Evidence::None).onTray) return;
    wheelHover.Begin(hWnd);
}

// The strip's area with its far edges, as the tick that clears the press and the hover takes it.
void NotifyIcons::EndWheelHoverIfLeft() { wheelHover.EndIfLeft(toolbarRect); }

void NotifyIcons::EndWheelHover() { wheelHover.End(); }

int NotifyIcons::WheelNotchesAt(WPARAM wParam, LPARAM lParam) {
    return wheelHover.NotchesAt(wParam, lParam, toolbarRect);
}

void NotifyIcons::ShowWheelVolume(bool shown) {
    wheelHover.ShowVolume(shown);
    Refresh();
}

bool NotifyIcons::SliderRowShown() const { return playMode != Stopped || wheelHover.VolumeShown(); }
