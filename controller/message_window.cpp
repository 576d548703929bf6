// The hidden message window's procedure: tray callbacks, timers, power broadcasts, the
// taskbar's restart and theme changes, and the owner-drawn title band of the tray menu.
#include "controller/Trelvane.h"

#include "controller/power.h"
#include "sdk/boundary.h"
#include "sdk/shared/shared.h"
#include "tray/taskbar_theme.h"

namespace {

constexpr UINT kTaskbarRestartPause = 250;

LRESULT OnDrawItem(Trelvane& self, HWND, UINT, WPARAM, LPARAM lParam) {
    self.onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

LRESULT OnMeasureItem(Trelvane& self, HWND, UINT, WPARAM, LPARAM lParam) {
    self.onMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return TRUE;
}

LRESULT OnPowerBroadcast(Trelvane&, HWND, UINT, WPARAM wParam, LPARAM) {
    uCallStackTracker tracker("Trelvane::WndProc-WM_POWERBROADCAST");
    return PowerBroadcastAnswer(wParam);
}

LRESULT OnTrayCallback(Trelvane& self, HWND, UINT, WPARAM wParam, LPARAM lParam) {
    self.NotifyIconCallback(static_cast<UINT>(lParam), static_cast<UINT>(wParam));
    return 0;
}

LRESULT OnWheel(Trelvane& self, HWND, UINT, WPARAM wParam, LPARAM lParam) {
    self.onWheel(wParam, lParam);
    return 0;
}

typedef LRESULT (*MessageHandler)(Trelvane&, HWND, UINT, WPARAM, LPARAM);

struct FixedMessage {
    UINT message;
    MessageHandler handler;
};

// Messages with fixed numbers that the window consumes itself.
const FixedMessage kFixedMessages[] = {
    {WM_DRAWITEM, &OnDrawItem},
    {WM_MEASUREITEM, &OnMeasureItem},
    {WM_POWERBROADCAST, &OnPowerBroadcast},
    {NotifyIcons::kCallbackMessage, &OnTrayCallback},
};

} // namespace

LRESULT CALLBACK Trelvane::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    uCallStackTracker tracker("Trelvane::WndProc(HWND, UINT, WPARAM, LPARAM)");
    // The player's message loop runs this: nothing may be thrown back into it.
    return fb2k::guarded<LRESULT>(0, [&]() -> LRESULT {
        Trelvane& self = Instance();
        if (message == WM_TIMER) return self.HandleTimer(window, message, wParam, lParam);
        if (message == WM_SETTINGCHANGE) return self.HandleSettingChange(window, message, wParam, lParam);
        if (message == WM_DISPLAYCHANGE) return self.HandleDisplayChange(window, message, wParam, lParam);
        for (const FixedMessage& fixed : kFixedMessages)
            if (fixed.message == message) return fixed.handler(self, window, message, wParam, lParam);
        // The registered numbers are only looked at for messages that are none of the above.
        if (message == self.TaskbarCreatedMessage()) return self.HandleTaskbarCreated(window, message, wParam, lParam);
        if (message == self.WheelMessage()) return OnWheel(self, window, message, wParam, lParam);
        return self.PassToOldProc(window, message, wParam, lParam);
    });
}

LRESULT Trelvane::HandleTimer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    uCallStackTracker tracker("Trelvane::WndProc-WM_TIMER");
    ScreenSaverPoll();
    switch (wParam) {
    case kSliderTimer:
        // Caught on its own, so that a failing player still lets the strip's tick end a
        // hover (and remove the wheel hook) when the pointer has left.
        fb2k::guarded([this] { RefreshSlider(); });
        TimerTick();
        return 0;
    case kKeepAwakeTimer: KeepAwakeStep(); return 0;
    case kWheelVolumeTimer: EndWheelVolume(); return 0;
    case kPlayerCommandTimer: playerCommands.GiveWaiting(); return 0;
    case kBalloonTimer:
        KillTimer(window, kBalloonTimer);
        HideBalloon();
        return 0;
    default: return PassToOldProc(window, message, wParam, lParam);
    }
}

LRESULT Trelvane::HandleTaskbarCreated(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The new taskbar needs a moment before it accepts icons.
    Sleep(kTaskbarRestartPause);
    AddIconsToTray();
    return PassToOldProc(window, message, wParam, lParam);
}

// The taskbar switched between light and dark (or the accent colour changed, which the shell
// announces the same way): the strip follows with the matching image set. The broadcast is
// meant for every window, so it goes on to the previous procedure whatever happened here.
LRESULT Trelvane::HandleSettingChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    uCallStackTracker tracker("Trelvane::WndProc-WM_SETTINGCHANGE");
    // Caught here as well, so that a failure still lets the broadcast go on.
    if (TaskbarTheme::IsChangeNotice(lParam)) fb2k::guarded([this] { UpdateImageSet(); });
    // The taskbar may have laid its icons out anew (another size, another place).
    fb2k::guarded([this] { RelearnIconOrder(); });
    return PassToOldProc(window, message, wParam, lParam);
}

// Another screen resolution or DPI: the tray lays its icons out anew.
LRESULT Trelvane::HandleDisplayChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    uCallStackTracker tracker("Trelvane::WndProc-WM_DISPLAYCHANGE");
    fb2k::guarded([this] { RelearnIconOrder(); });
    return PassToOldProc(window, message, wParam, lParam);
}

LRESULT Trelvane::PassToOldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!oldWndProc) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(oldWndProc, window, message, wParam, lParam);
}

void Trelvane::onMeasureItem(MEASUREITEMSTRUCT& item) {
    uCallStackTracker tracker("Trelvane::onMeasureItem(MEASUREITEMSTRUCT)");
    if (item.itemID == kTitleBandItem) item.itemWidth = 5;
}
