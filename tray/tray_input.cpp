// Mouse input on the strip: the shell's callback messages become presses, releases, hover,
// slider drags and the event hooks; the timer clears what the shell never ends because it
// does not report the pointer leaving.
#include "tray/NotifyIcons.h"
#include "tray/mouse_press.h"

#include "sdk/shared/shared.h"

namespace {

bool InRect(const RECT& rect, POINT point, bool farEdgesIncluded) {
    if (farEdgesIncluded)
        return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
    return PtInRect(&rect, point) != FALSE;
}

int Distance(int a, int b) { return a > b ? a - b : b - a; }

} // namespace

void NotifyIcons::NotifyIconCallback(UINT message, UINT iconId) {
    uCallStackTracker tracker("NotifyIcons::NotifyIconCallback(UINT, UINT)");
    if (iconId != icons[0].uID && iconId != icons[1].uID) return;
    // The handling below asks the shell where the icons are and redraws them: the shell can
    // hand over its next message (a click's release) inside those calls. It waits its turn.
    input.Deliver(TrayMessageQueue::Message{message, iconId}, [this](const TrayMessageQueue::Message& m) {
        HandleTrayMessage(m.message, m.iconId == icons[0].uID ? 0 : 1);
    });
}

void NotifyIcons::HandleTrayMessage(UINT message, int icon) {
    // The wheel is watched while the pointer is over the strip: any mouse message begins a
    // hover, also the moves that are ignored below.
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) BeginWheelHover(icon);
    // Before Windows 7 the shell sends moves for every pixel the pointer crosses; they matter
    // only while a button is held.
    if (message == WM_MOUSEMOVE && !buttonDown && !isWin7) {
        LearnFromMove(icon);
        return;
    }
    if (message == NIN_BALLOONTIMEOUT || message == NIN_BALLOONUSERCLICK) {
        HideBalloon();
        return;
    }
    if (HandledAsKey(message, icon)) return;

    static const struct {
        UINT message;
        TrayMessageHandler handler;
    } kHandlers[] = {
        {WM_CONTEXTMENU, &NotifyIcons::OnContextMenu},
        {WM_MOUSEMOVE, &NotifyIcons::OnPointerMove},
        {WM_LBUTTONDOWN, &NotifyIcons::OnPress},
        {WM_RBUTTONDOWN, &NotifyIcons::OnRightPress},
        {WM_LBUTTONUP, &NotifyIcons::OnRelease},
        {WM_RBUTTONUP, &NotifyIcons::OnRightRelease},
        {WM_MBUTTONUP, &NotifyIcons::OnMiddleRelease},
        // The second press of a quick double click is a press like the first: each click counts.
        {WM_LBUTTONDBLCLK, &NotifyIcons::OnPress},
        {WM_RBUTTONDBLCLK, &NotifyIcons::OnRightPress},
    };
    // Presses are reported for the icon under the pointer; a move may still name the icon the
    // pointer has just left; a release, the icon that was pressed.
    IconPlacement::Evidence evidence = IsMousePress(message) ? IconPlacement::Evidence::Sure : IconPlacement::Evidence::Move;
    StripPointer pointer = LocatePointer(icon, evidence);
    TrayMessageHandler handler = &NotifyIcons::OnOtherMessage;
    for (const auto& entry : kHandlers)
        if (entry.message == message) handler = entry.handler;
    (this->*handler)(message, pointer);
    onStripPointer(message, pointer);
    // The message may have shown the icons in the other order than drawn.
    if (!DrawnStateIsCurrent()) Refresh();
}

// The shell sends this after a right-button release. After a right-button drag of the slider
// on Windows 7 and later it is not a request for the menu.
void NotifyIcons::OnContextMenu(UINT, const StripPointer&) {
    if (!(isWin7 && dragMoved)) onRightClick();
    Refresh();
}

// The shell's follow-up of a click, or the same notice sent for a key (click_follow_up.h).
bool NotifyIcons::HandledAsKey(UINT message, int icon) {
    if (!input.FromKey(message)) return false;
    if (message == WM_CONTEXTMENU) OnContextMenuKey(icon);
    else OnKeyboardSelect(icon);
    return true;
}

// Enter or Space on a focused icon: the strip's main button, play/pause.
void NotifyIcons::OnKeyboardSelect(int) {
    if (!input.NewKeyPress(GetTickCount())) return;
    Click(TrayButton::PlayPause);
    Refresh();
}

// Shift+F10 or the menu key on a focused icon: the menu opens at the icon, since the pointer
// may be anywhere.
void NotifyIcons::OnContextMenuKey(int icon) {
    RECT cell = {};
    POINT iconPoint = {};
    if (TrayWindows::ShellRectOf(icons[icon], cell)) iconPoint = POINT{cell.left, cell.top};
    else if (placement.Known(icon)) iconPoint = POINT{placement.Cell(icon).left, placement.Cell(icon).top};
    else if (!GetCursorPos(&iconPoint)) iconPoint = POINT{0, 0};
    {
        MenuAnchor::AtIcon atIcon(input.Menu(), iconPoint);
        onRightClick();
    }
    Refresh();
}

POINT NotifyIcons::MenuPoint() const { return input.Menu().Point(); }

void NotifyIcons::OnPointerMove(UINT, const StripPointer& pointer) {
    if (!pointer.onTray) return;
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
    if (!pointer.onTray) return;
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

// A release still applies the drag while the pointer is on either icon of the strip.
void NotifyIcons::StartDrag(const StripPointer& pointer) {
    dragBounds = toolbarRect;
    dragging = true;
    // A new drag has not moved yet. The last one's mark stays after its release only to keep
    // the menu away; without a move in between, a right click on the slider right after a
    // right drag would otherwise seek and open no menu.
    dragMoved = false;
    // Before Windows 7 a plain click on the slider moves the cursor at once.
    if (!isWin7) sliderPos = static_cast<unsigned char>(pointer.sliderStep);
}

void NotifyIcons::OnRelease(UINT message, const StripPointer& pointer) {
    if (!pointer.onTray) return;
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
    EndWheelHoverIfLeft();
    if (hotButton == TrayButton::None) return;
    POINT p = {};
    if (GetCursorPos(&p) && InRect(toolbarRect, p, true)) return;
    // The pointer has left both icons: whatever was pressed or dragged is abandoned.
    buttonDown = false;
    dragging = false;
    hotButton = TrayButton::None;
    Refresh();
}
