// Composing the two tray icons from the image set, and the refresh that does it only when
// something visible changed.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include <cmath>

__int64 NotifyIcons::lastTipNudge = 0;

namespace {

constexpr __int64 kTipNudgeInterval = 30; // seconds

// The calendar time in whole seconds since 1970, the value the C runtime's time() gives. Read
// from the system clock: under Wine time() cost about 1.4 microseconds a call, almost all of an
// unchanged refresh, and the clock about 0.08.
__int64 SecondsSince1970() {
    constexpr unsigned __int64 kFileTimeOf1970 = 116444736000000000ULL; // 100 ns units since 1601
    constexpr unsigned __int64 kFileTimePerSecond = 10000000ULL;
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    const unsigned __int64 ticks = (static_cast<unsigned __int64>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<__int64>((ticks - kFileTimeOf1970) / kFileTimePerSecond);
}

// IconBlt addresses a pair by the id of its hot image in the classic numbering.
int PairId(int hotIndex) { return StripImage::kClassicBase + hotIndex; }

} // namespace

void NotifyIcons::SetPlayMode(PlayMode mode) {
    uCallStackTracker tracker("NotifyIcons::SetPlayMode(PlayMode)");
    playMode = mode;
    Refresh();
}

// The caller opens the call-stack scope ("NotifyIcons::SetSliderMode(bool)").
void NotifyIcons::SetSliderMode(bool volume) {
    volumeMode = volume;
    Refresh();
}

void NotifyIcons::LightButton(int button) {
    uCallStackTracker tracker("NotifyIcons::LightButton(int)");
    hotButton = button;
    Refresh();
}

void NotifyIcons::IconBlt(HDC colorDst, HDC maskDst, int imageId, int x, int y, bool hot) {
    int index = imageId - StripImage::kClassicBase + (hot ? 0 : 1);
    if (index < 0 || index >= kImageCount || !images[index].Loaded()) return;
    const Image& image = images[index];
    BitBlt(colorDst, x, y, image.width, image.height, image.maskDC.get(), 0, 0, SRCAND);
    BitBlt(colorDst, x, y, image.width, image.height, image.colorDC.get(), 0, 0, SRCINVERT);
    BitBlt(maskDst, x, y, image.width, image.height, image.maskDC.get(), 0, 0, SRCAND);
}

void NotifyIcons::Refresh() {
    uCallStackTracker tracker("NotifyIcons::Refresh()");
    if (!dragging && SliderRowShown()) TakeSliderPosition(onWantSliderPosition());
    if (DrawnStateIsCurrent()) {
        NudgeToolTip();
        return;
    }
    // The planes are kept between redraws; each starts out empty (black colour, white mask)
    // at the size drawn, with no clipping left from the last redraw.
    canvas.Begin(hInstance, imageSet.IconSize());
    if (sliderPos > sliderRange) sliderPos = sliderRange;
    ComposeStrip(canvas.Color(0), canvas.Mask(0), canvas.Color(1), canvas.Mask(1));
    RememberDrawnState();
    // Plane 0 holds the strip's left half, plane 1 its right half, each for the icon shown there.
    for (int half = 0; half < 2; ++half) {
        NOTIFYICONDATAW& record = icons[placement.HalfOf(half)];
        UniqueIcon previous(record.hIcon);
        record.hIcon = canvas.Finish(half).release();
    }
    ModifyIcons();
}

// The slider position from the hook's fraction, in whole steps truncated towards zero. A
// negative step means that no position is known. The fraction is limited to the slider's
// range before it becomes a step, so that any value lands on the strip (a large one would
// otherwise wrap around in eight bits) and a value above 1.0 does not count as a change at
// every refresh.
void NotifyIcons::TakeSliderPosition(double fraction) {
    double steps = std::trunc(fraction * sliderRange);
    sliderPosValid = steps >= 0.0; // false for NaN too
    if (!sliderPosValid) {
        sliderPos = 0;
        return;
    }
    sliderPos = static_cast<unsigned char>(steps > sliderRange ? sliderRange : steps);
}

bool NotifyIcons::DrawnStateIsCurrent() const {
    return hotButton == drawnHotButton && playMode == drawnPlayMode && buttonDown == drawnButtonDown &&
           sliderPos == drawnSliderPos && volumeMode == drawnVolumeMode && dragging == drawnDragging &&
           sliderPosValid == drawnSliderPosValid && wheelHover.VolumeDrawn();
}

void NotifyIcons::RememberDrawnState() {
    drawnHotButton = hotButton;
    drawnPlayMode = playMode;
    drawnButtonDown = buttonDown;
    drawnSliderPos = sliderPos;
    drawnVolumeMode = volumeMode;
    drawnDragging = dragging;
    drawnSliderPosValid = sliderPosValid;
    wheelHover.VolumeWasDrawn();
}

// The left half carries the left half of the slider, previous and stop/load; the right half
// the rest of the slider, play/pause and next, at the places the layout gives (strip_layout.h). The cursor is drawn
// into both icons one layout width apart and clipped by each. A layout centred in a larger
// icon is clipped to its own square, so the cursor never shows twice in the margins.
void NotifyIcons::ComposeStrip(HDC color0, HDC mask0, HDC color1, HDC mask1) {
    const int o = imageSet.LayoutOffset();
    const StripLayout& layout = imageSet.Layout();
    if (layout.size < imageSet.IconSize())
        for (HDC dc : {color0, mask0, color1, mask1}) IntersectClipRect(dc, o, o, o + layout.size, o + layout.size);
    if (SliderRowShown()) {
        IconBlt(color0, mask0, PairId(StripImage::BarL), o, o, true);
        IconBlt(color1, mask1, PairId(StripImage::BarL), o, o, false);
        bool cursorHot = hotButton == TrayButton::Slider;
        int cursorX = o + layout.CursorColumn(sliderPos);
        const bool volumeCursor = volumeMode || wheelHover.VolumeShown();
        int cursor = volumeCursor ? StripImage::CursVolH : StripImage::CursSldH;
        if (volumeCursor || sliderPosValid) {
            IconBlt(color0, mask0, PairId(cursor), cursorX, o, cursorHot);
            IconBlt(color1, mask1, PairId(cursor), cursorX - layout.size, o, cursorHot);
        }
    }
    const int row = o + layout.buttonRow;
    IconBlt(color1, mask1, PairId(StripImage::NextH), o + layout.next, row, hotButton == TrayButton::Next);
    IconBlt(color0, mask0, PairId(playMode == Stopped ? StripImage::LoadH : StripImage::StopH), o + layout.stopLoad,
            row, hotButton == TrayButton::StopLoad);
    IconBlt(color0, mask0, PairId(StripImage::BackH), o + layout.back, row, hotButton == TrayButton::Back);
    IconBlt(color1, mask1, PairId(playMode == Playing ? StripImage::PauseH : StripImage::PlayH), o + layout.playPause,
            row, hotButton == TrayButton::PlayPause);
}

// Rewrites the tooltip about every 30 seconds while refreshes find nothing to draw, so that
// the shell shows the current text.
void NotifyIcons::NudgeToolTip() {
    __int64 now = SecondsSince1970();
    if (now < lastTipNudge || now - lastTipNudge <= kTipNudgeInterval) return;
    std::wstring tip(icons[0].szTip, wcsnlen(icons[0].szTip, ARRAYSIZE(icons[0].szTip)));
    SetTipText(tip + L" ");
    SetTipText(tip);
    lastTipNudge = now;
}
