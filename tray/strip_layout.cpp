// The strip's layouts per size (the tables are in strip_layout.h).
#include "tray/strip_layout.h"

#include "tray/strip_image.h"

namespace {

constexpr int kBaseSize = 16;

// The 16-pixel design, every number times `factor`.
StripLayout Scaled(int factor, int buttonXOffset) {
    StripLayout layout = {};
    layout.size = kBaseSize * factor;
    layout.sliderRows = 7 * factor;
    layout.buttonRow = 8 * factor;
    layout.cursorOrigin = 2 * factor;
    layout.back = 0;
    layout.stopLoad = (buttonXOffset + 7) * factor;
    layout.playPause = 1 * factor;
    layout.next = (buttonXOffset + 8) * factor;
    return layout;
}

// 20 pixels: 9-pixel buttons and slider block, the right-hand buttons 9 and 10 pixels in.
StripLayout Twenty(int buttonXOffset) { return StripLayout{20, 9, 10, 2, 0, buttonXOffset + 9, 1, buttonXOffset + 10}; }

// 24 pixels: 11-pixel buttons and slider block. The offset grows by one pixel more than at 20
// so that stop/load stays right of the icon's middle at buttonXOffset 1.
StripLayout TwentyFour(int buttonXOffset) {
    int offset = buttonXOffset + 1;
    return StripLayout{24, 11, 12, 3, 0, offset + 10, 1, offset + 11};
}

} // namespace

int StripLayout::StepAt(int column, int range) const {
    const int fromOrigin = column - cursorOrigin;
    if (fromOrigin < 0 || size <= 0) return 0;
    // CursorColumn(step) <= column  <=>  step * size / 16 < fromOrigin + 1, in whole numbers.
    const int step = (kBaseSize * (fromOrigin + 1) - 1) / size;
    return step < range ? step : range;
}

namespace StripLayouts {

StripLayout For(int size, int buttonXOffset) {
    if (size == 20) return Twenty(buttonXOffset);
    if (size == 24) return TwentyFour(buttonXOffset);
    if (size >= kBaseSize && size % kBaseSize == 0) return Scaled(size / kBaseSize, buttonXOffset);
    return Scaled(1, buttonXOffset);
}

int ArtworkSizeFor(int drawn) {
    int chosen = StripImage::kArtworkSizes[0];
    for (int size : StripImage::kArtworkSizes)
        if (size <= drawn) chosen = size;
    return chosen;
}

int SkinSizeFor(int drawn) { return drawn < kBaseSize ? kBaseSize : drawn / kBaseSize * kBaseSize; }

} // namespace StripLayouts
