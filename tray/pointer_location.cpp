// Where the pointer is on the strip when the shell reports a mouse message for one of its
// icons: the shell says which icon, not where on it.
#include "tray/NotifyIcons.h"
#include "tray/strip_coordinates.h"
#include "tray/tray_toolbar.h"

namespace {

constexpr int kStandardSmallIcon = 16;
constexpr int kVerticalTaskbarRowGap = 8;
constexpr int kHorizontalTaskbarRowGap = 14;

int SmallIconMetric(int index) {
    int size = GetSystemMetrics(index);
    return size > 0 ? size : kStandardSmallIcon;
}

bool TallerThanWide(const RECT& rect) { return rect.bottom - rect.top > rect.right - rect.left; }

} // namespace

NotifyIcons::StripPointer NotifyIcons::LocatePointer(int icon) {
    StripPointer pointer = {};
    pointer.strip.y = StripCoordinates::kOutsideRows;
    // Without a pointer position nothing on the strip can be hit.
    if (!GetCursorPos(&pointer.screen)) return pointer;

    // On Windows 7 and later the rows of a vertical taskbar lie closer together.
    if (isWin7) rowGap = TallerThanWide(TrayWindows::TaskbarRect()) ? kVerticalTaskbarRowGap : kHorizontalTaskbarRowGap;

    pointer.iconSize.cx = SmallIconMetric(SM_CXSMICON);
    pointer.iconSize.cy = SmallIconMetric(SM_CYSMICON);
    StripMetrics metrics = {pointer.iconSize.cx, pointer.iconSize.cy, iconGap, rowGap, trayXOffset, trayYOffset};
    TrayArea area = TrayWindows::Locate(icons[icon], pointer.screen);
    // Where nothing can be found the point counts as off the tray; the last area found stays
    // for the timer's check whether the pointer has left.
    if (area.kind == TrayArea::Unknown) return pointer;
    toolbarRect = area.rect;
    pointer.strip = area.kind == TrayArea::Toolbar
                        ? StripCoordinates::FromToolbar(pointer.screen, icon, area.rect, metrics)
                        : StripCoordinates::FromIconRect(pointer.screen, icon, area.rect, metrics);
    pointer.sliderStep = StripCoordinates::SliderStep(pointer.strip.x, isWin7, iconGap, trayXOffset, sliderRange);
    return pointer;
}
