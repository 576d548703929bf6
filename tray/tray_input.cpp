// Mouse input on the strip: the shell's callback messages become presses, releases, hover,
// slider drags and the event hooks; the timer clears what the shell never ends because it
// does not report the pointer leaving.
#include "tray/NotifyIcons.h"
#include "tray/strip_coordinates.h"

#include "sdk/shared/shared.h"

namespace {

constexpr int kNoIcon = -1;

bool InRect(const RECT& rect, POINT point, bool farEdgesIncluded) {
    if (farEdgesIncluded) return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
    return PtInRect(&rect, point) != FALSE;
}

int Distance(int a, int b) { return a > b ? a - b : b - a; }

} // namespace

void NotifyIcons::NotifyIconCallback(UINT message, UINT iconId) {
    uCallStackTracker tracker("NotifyIcons::NotifyIconCallback(UINT, UINT)");
    int icon = iconId == icons[0].uID ? 0 : iconId == icons[1].uID ? 1 : kNoIcon;
    if (icon == kNoIcon) return;
    // Before Windows 7 the shell sends moves for every pixel the pointer crosses; they matter
    // only while a button is held.
    if (message == WM_MOUSEMOVE && !buttonDown && !isWin7) return;
    if (message == NIN_BALLOONTIMEOUT || message == NIN_BALLOONUSERCLICK) {
        HideBalloon();
        return;
    }

    static const struct {
        UINT message;
        TrayMessageHandler handler;
    } kHandlers[] = {
        {WM_CONTEXTMENU, &NotifyIcons::OnContextMenu},  {WM_MOUSEMOVE, &NotifyIcons::OnPointerMove},
        {WM_LBUTTONDOWN, &NotifyIcons::OnPress},        {WM_RBUTTONDOWN, &NotifyIcons::OnRightPress},
        {WM_LBUTTONUP, &NotifyIcons::OnRelease},        {WM_RBUTTONUP, &NotifyIcons::OnRightRelease},
        {WM_MBUTTONUP, &NotifyIcons::OnMiddleRelease},
    };
    StripPointer pointer = LocatePointer(icon);
    TrayMessageHandler handler = &NotifyIcons::OnOtherMessage;
    for (const auto& entry : kHandlers)
        if (entry.message == message) handler = entry.handler;
    (this->*handler)(message, pointer);
}

// The shell sends this after a right-button release. After a right-button drag of the slider
// on Windows 7 and later it is not a request for the menu.
void NotifyIcons::OnContextMenu(UINT, const StripPointer&) {
    if (!(isWin7 && dragMoved)) onRightClick();
    Refresh();
}

void NotifyIcons::OnPointerMove(UINT, const StripPointer& pointer) {
    if (pointer.strip.y < 0) return;
    EnableToolTip(false);
    int target = ButtonByPos(pointer.strip);
    if (dragging) {
        // Off the slider the drag goes on, unchanged, until the pointer comes back or a release.
        if (target == TrayButton::Slider) DragTo(pointer);
        return;
    }
    dragMoved = false;
    // Before Windows 7 the slider has no hover look.
    hotButton = target == TrayButton::Slider && !isWin7 ? TrayButton::None : target;
    Refresh();
}

// On Windows 7 and later a drag (there with the right button) shows the position until it has
// moved two steps; from then on volume follows live while seeking waits for the release.
// Earlier systems apply every move at once.
void NotifyIcons::DragTo(const StripPointer& pointer) {
    int step = pointer.sliderStep;
    if (isWin7 && !dragMoved && Distance(sliderPos, step) <= 1) {
        Refresh();
        return;
    }
    if (isWin7) dragMoved = true;
    sliderPos = static_cast<unsigned char>(step);
    if (!isWin7 || volumeMode) onSliderPositionChange(step / static_cast<double>(sliderRange));
    Refresh();
}

void NotifyIcons::OnPress(UINT message, const StripPointer& pointer) {
    if (pointer.strip.y < 0) return;
    EnableToolTip(false);
    buttonDown = true;
    hotButton = ButtonByPos(pointer.strip);
    // The right button presses nothing but the slider.
    if (message == WM_RBUTTONDOWN) {
        buttonDown = false;
        if (hotButton != TrayButton::Slider) hotButton = TrayButton::None;
    }
    if (hotButton == TrayButton::Slider && playMode != Stopped) StartDrag(pointer);
    Refresh();
}

void NotifyIcons::OnRightPress(UINT message, const StripPointer& pointer) {
    if (isWin7) OnPress(message, pointer);
    else Refresh();
}

// A release still applies the drag while the pointer is within the strip's screen area as
// placed from the pressed point: 32 icon pixels plus the gap wide, 32 plus the row gap high.
void NotifyIcons::StartDrag(const StripPointer& pointer) {
    const POINT& p = pointer.screen;
    const POINT& strip = pointer.strip;
    const int cx = pointer.iconSize.cx;
    const int cy = pointer.iconSize.cy;
    dragBounds.left = p.x - strip.x * cx / 16;
    dragBounds.top = p.y - strip.y * cy / 16;
    dragBounds.right = p.x + iconGap - (strip.x - 32) * cx / 16;
    dragBounds.bottom = p.y + rowGap - (strip.y - 32) * cy / 16;
    dragging = true;
    // Before Windows 7 a plain click on the slider moves the cursor at once.
    if (!isWin7) sliderPos = static_cast<unsigned char>(pointer.sliderStep);
}

void NotifyIcons::OnRelease(UINT message, const StripPointer& pointer) {
    if (pointer.strip.y < 0) return;
    EnableToolTip(true);
    bool rightDrag = isWin7 && message == WM_RBUTTONUP && dragging;
    if (buttonDown || rightDrag) {
        buttonDown = false;
        int target = ButtonByPos(pointer.strip);
        if (dragging) {
            EndDrag(message, pointer, target);
        } else {
            Refresh();
            Click(target);
        }
    }
    hotButton = TrayButton::None;
    Refresh();
}

void NotifyIcons::OnRightRelease(UINT message, const StripPointer& pointer) {
    if (isWin7) OnRelease(message, pointer);
    else Refresh();
}

// A right-button drag that never moved two steps applies nothing; it was a right click.
void NotifyIcons::EndDrag(UINT message, const StripPointer& pointer, int target) {
    dragging = false;
    bool moved = message == WM_LBUTTONUP || dragMoved;
    if (moved && target == TrayButton::Slider && InRect(dragBounds, pointer.screen, false))
        onSliderPositionChange(sliderPos / static_cast<double>(sliderRange));
}

// The element under the pointer at release acts, whichever was pressed: the hot image has
// followed the pointer while the button was held.
void NotifyIcons::Click(int target) {
    switch (target) {
    case TrayButton::Back: onPrevClick(); break;
    case TrayButton::StopLoad: playMode == Stopped ? onLoadClick() : onStopClick(); break;
    case TrayButton::PlayPause: playMode == Playing ? onPauseClick() : onPlayClick(); break;
    case TrayButton::Next: onNextClick(); break;
    default: break;
    }
}

void NotifyIcons::OnMiddleRelease(UINT, const StripPointer&) {
    onMiddleClick();
    Refresh();
}

void NotifyIcons::OnOtherMessage(UINT, const StripPointer&) { Refresh(); }

void NotifyIcons::TimerTick() {
    uCallStackTracker tracker("NotifyIcons::TimerTick()");
    if (hotButton == TrayButton::None) return;
    POINT p = {};
    if (GetCursorPos(&p) && InRect(toolbarRect, p, true)) return;
    // The pointer has left the tray: whatever was pressed or dragged is abandoned.
    buttonDown = false;
    dragging = false;
    hotButton = TrayButton::None;
    Refresh();
}
