// Strip coordinates from screen points, and which element of the strip lies under one.
#include "tray/NotifyIcons.h"
#include "tray/strip_coordinates.h"

#include "sdk/shared/shared.h"

namespace {

constexpr int kIconPixels = 16;   // an icon is 16 x 16 icon pixels at any screen size
constexpr int kHalfSlider = 12;   // slider steps on icon 0

int IconPixels(int screenPixels, int iconScreenSize) {
    return static_cast<int>(screenPixels * (static_cast<double>(kIconPixels) / iconScreenSize));
}

// x within the reported icon's cell (d: screen pixels from the cell's left edge) on the strip.
// Icon 0 stops at the end of its cell and icon 1 starts at its own, so a point never lands on
// the other icon.
int StripX(int d, int icon, const StripMetrics& metrics) {
    int x = IconPixels(d, metrics.iconWidth);
    if (icon == 1) return (x < 0 ? 0 : x) + kIconPixels + metrics.iconGap;
    int lastOfCell = metrics.iconGap + kIconPixels - 1;
    return x > lastOfCell ? lastOfCell : x;
}

// y from a point `off` screen pixels below the top of a block of `used` pixels of whole rows.
int StripY(int off, int used, const StripMetrics& metrics) {
    if (off < 0 || off > used) return StripCoordinates::kOutsideRows;
    int pitch = metrics.iconHeight + metrics.rowGap;
    return IconPixels(off % pitch, metrics.iconHeight);
}

} // namespace

namespace StripCoordinates {

POINT FromToolbar(POINT pointer, int icon, const RECT& toolbar, const StripMetrics& metrics) {
    POINT strip = {};
    int cell = metrics.iconWidth + metrics.iconGap;
    int d = pointer.x - metrics.trayXOffset - toolbar.left;
    strip.x = StripX(d % cell, icon, metrics);  // the remainder keeps the sign of d

    // Below the toolbar (the taskbar's bottom edge) counts as the top of a row.
    if (pointer.y > toolbar.bottom) return strip;
    int pitch = metrics.iconHeight + metrics.rowGap;
    int height = toolbar.bottom - toolbar.top;
    int rows = height / pitch;
    if (rows < 1) rows = 1;
    int used = rows * pitch;
    int off = pointer.y - (height - used) / 2 - metrics.trayYOffset - toolbar.top;
    strip.y = StripY(off, used, metrics);
    return strip;
}

POINT FromIconRect(POINT pointer, int icon, const RECT& iconRect, const StripMetrics& metrics) {
    POINT strip = {};
    int iconLeft = iconRect.left + (iconRect.right - iconRect.left - metrics.iconWidth) / 2;
    int iconTop = iconRect.top + (iconRect.bottom - iconRect.top - metrics.iconHeight) / 2;
    // The icon's own cell is known, so no remainder is taken: a point on the window's frame
    // beside the icon stays beside it instead of wrapping round to the cell's other end.
    strip.x = StripX(pointer.x - iconLeft, icon, metrics);

    if (pointer.y > iconRect.bottom) return strip;
    int pitch = metrics.iconHeight + metrics.rowGap;
    strip.y = StripY(pointer.y - iconTop + metrics.rowGap / 2, pitch, metrics);
    return strip;
}

int SliderStep(int x, bool win7, int iconGap, int trayXOffset, int sliderRange) {
    int s = win7 ? x - iconGap / 2 - trayXOffset : x - 2;
    if (s < kHalfSlider) s = s < 0 ? 0 : s;
    else if (s < iconGap + kHalfSlider) s = kHalfSlider;
    else s -= iconGap;
    return s > sliderRange ? sliderRange : s;
}

} // namespace StripCoordinates

// Each icon cell is split in the middle into two button zones with a dead column just before
// the middle; the slider row spans both cells whole.
int NotifyIcons::ButtonByPos(POINT strip) {
    uCallStackTracker tracker("NotifyIcons::ButtonByPos(POINT)");
    const int cell = kIconPixels + iconGap;
    const int half = cell / 2;
    const int x = strip.x;
    const int y = strip.y;
    if (y < rowGap / 2) return TrayButton::None;
    if (y <= (rowGap + kIconPixels) / 2 - 2) return x >= 0 && x < 2 * cell ? TrayButton::Slider : TrayButton::None;
    if (y > rowGap / 2 + kIconPixels) return TrayButton::None;
    if (x < half - 1) return TrayButton::Back;
    if (x < half) return TrayButton::None;
    if (x < cell) return TrayButton::StopLoad;
    if (x < cell + half - 1) return TrayButton::PlayPause;
    if (x < cell + half) return TrayButton::None;
    if (x < 2 * cell) return TrayButton::Next;
    return TrayButton::None;
}
