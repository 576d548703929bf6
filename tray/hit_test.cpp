// Which element of the strip lies under a strip coordinate: the zones follow the artwork.
#include "tray/NotifyIcons.h"
#include "tray/strip_geometry.h"

#include "sdk/shared/shared.h"

namespace {

// The artwork's layout, in pixels of a 16-pixel drawing: the slider bar fills rows 0 to 6,
// the buttons are drawn from row 8 (row 7 goes with them). Each icon holds two buttons; the
// right-hand one is drawn from column buttonXOffset + 7 (stop/load, icon 0) or
// buttonXOffset + 8 (next, icon 1).
constexpr int kLayoutSize = 16;
constexpr int kSliderRows = 7;
constexpr int kStopLoadColumn = 7;
constexpr int kNextColumn = 8;

// The column just before the right-hand button's drawing hits nothing, so that the two
// buttons of an icon never touch; everything left of it belongs to the left-hand button.
int ButtonInIcon(int icon, int column, int buttonXOffset) {
    const int rightStart = buttonXOffset + (icon == 0 ? kStopLoadColumn : kNextColumn);
    if (column < rightStart - 1) return icon == 0 ? TrayButton::Back : TrayButton::PlayPause;
    if (column == rightStart - 1) return TrayButton::None;
    return icon == 0 ? TrayButton::StopLoad : TrayButton::Next;
}

} // namespace

int NotifyIcons::ButtonByPos(POINT strip) {
    uCallStackTracker tracker("NotifyIcons::ButtonByPos(POINT)");
    // Zones and slider steps are laid out on the 16-pixel design; an icon drawn larger has
    // them in proportion, so the pointer maps from the shown icon straight onto the design.
    const int size = StripGeometry::kDrawnIconSize;
    if (strip.x < 0 || strip.x >= 2 * size || strip.y < 0 || strip.y >= size) return TrayButton::None;
    // Zones are laid out on a 16-pixel drawing and scale with a larger one.
    const int row = strip.y * kLayoutSize / size;
    if (row < kSliderRows) return TrayButton::Slider;
    const int icon = strip.x / size;
    const int column = (strip.x % size) * kLayoutSize / size;
    return ButtonInIcon(icon, column, buttonXOffset);
}
