#pragma once
// Turning a screen point on the tray into a coordinate of the 32-pixel strip, and the slider
// step under a strip column.
//
// Strip coordinates are icon pixels: x runs from 0 at the left edge of icon 0 across both icon
// cells (each cell is the icon and the gap that follows it); y runs from 0 at the top of a row
// cell, which is the icon height plus the row gap with half the gap above the icon.
#include <windows.h>

// What the conversion needs of the strip's profile and of the screen.
struct StripMetrics {
    int iconWidth;    // SM_CXSMICON, screen pixels
    int iconHeight;   // SM_CYSMICON, screen pixels
    int iconGap;      // between the two icons, icon pixels
    int rowGap;       // between rows of tray icons, icon pixels
    int trayXOffset;  // first icon cell inside the tray toolbar, screen pixels
    int trayYOffset;
};

namespace StripCoordinates {

// The y of a point that lies outside the tray's rows.
constexpr int kOutsideRows = -1;

// From the classic tray toolbar, a grid of equal icon cells with its rows centred vertically.
// The toolbar does not say which cell the pointer is in; `icon` (0 or 1) says which of the
// strip's icons the shell reported, and every cell and row maps onto that icon's range.
POINT FromToolbar(POINT pointer, int icon, const RECT& toolbar, const StripMetrics& metrics);

// From the rectangle of the reported icon itself (its own window or the shell's rectangle for
// it), with the small icon centred in it. Gives the coordinates the toolbar would give for
// the same point of the icon.
POINT FromIconRect(POINT pointer, int icon, const RECT& iconRect, const StripMetrics& metrics);

// The slider step (0 to sliderRange) under strip column x. The gap between the icons is
// skipped; outside the Windows 7 profile the cursor's left edge lands under the pointer.
int SliderStep(int x, bool win7, int iconGap, int trayXOffset, int sliderRange);

} // namespace StripCoordinates
