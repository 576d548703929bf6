// Which element of the strip lies under a strip coordinate: the zones follow the artwork as it
// is drawn at the icons' size (the layouts are in strip_layout.h).
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"

#include <algorithm>

namespace {

// The column just before the right-hand button's drawing hits nothing, so that the two
// buttons of an icon never touch; everything left of it belongs to the left-hand button.
int ButtonInIcon(int icon, int column, const StripLayout& layout) {
    const int rightStart = icon == 0 ? layout.stopLoad : layout.next;
    if (column < rightStart - 1) return icon == 0 ? TrayButton::Back : TrayButton::PlayPause;
    if (column == rightStart - 1) return TrayButton::None;
    return icon == 0 ? TrayButton::StopLoad : TrayButton::Next;
}

} // namespace

// A layout centred in a larger icon leaves a margin around it: a margin column counts as the
// layout's nearest column, rows above the layout as the slider, rows below it as the buttons.
POINT NotifyIcons::LayoutPixel(POINT strip) const {
    const int x = static_cast<int>(strip.x);
    const int size = imageSet.IconSize();
    const int offset = imageSet.LayoutOffset();
    const StripLayout& layout = imageSet.Layout();
    const int icon = x < size ? 0 : 1;
    const int column = std::clamp(x - icon * size - offset, 0, layout.size - 1);
    return POINT{icon * layout.size + column, strip.y - offset};
}

int NotifyIcons::ButtonByPos(POINT strip) {
    uCallStackTracker tracker("NotifyIcons::ButtonByPos(POINT)");
    const int size = imageSet.IconSize();
    if (strip.x < 0 || strip.x >= 2 * size || strip.y < 0 || strip.y >= size) return TrayButton::None;
    const POINT at = LayoutPixel(strip);
    const StripLayout& layout = imageSet.Layout();
    if (at.y < layout.sliderRows) return TrayButton::Slider;
    return ButtonInIcon(at.x / layout.size, at.x % layout.size, layout);
}
