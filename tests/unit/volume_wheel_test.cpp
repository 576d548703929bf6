// The mouse wheel over the strip: each notch moves the player's volume one step of the volume
// slider, the slider shows the volume while the wheel turns, and the low-level mouse hook that
// sees the wheel is there only while the pointer is over the strip. The hook's installation
// and removal are counted at the import boundary; the hook procedure the component hands to
// Windows is then called as Windows would call it.
#include "controller/Trelvane.h"
#include "controller/play_callback.h"
#include "tests/support/iat_hook.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "settings/config_vars.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

// ---- The hand-made model: the slider's 25 steps as levels (step x 255 / 24, truncated), and
// a level as the player's decibels (0 is the -100 dB floor, otherwise 1 - 10^((255 - L) / 140)).
const int kStepLevel[25] = {0,   10,  21,  31,  42,  53,  63,  74,  85,  95,  106, 116, 127,
                            138, 148, 159, 170, 180, 191, 201, 212, 223, 233, 244, 255};
double DecibelsOfLevel(int level) { return level == 0 ? -100.0 : 1.0 - std::pow(10.0, (255 - level) / 140.0); }
double DecibelsOfStep(int step) { return DecibelsOfLevel(kStepLevel[step]); }

// ---- The wheel hook at the import boundary: Windows' answers stood in for.
struct HookBoundary {
    int installs = 0;    // SetWindowsHookExW(WH_MOUSE_LL) calls
    int removals = 0;    // UnhookWindowsHookEx calls
    int passedOn = 0;    // CallNextHookEx calls
    int live = 0;        // hooks installed and not yet removed
    bool refuse = false; // SetWindowsHookExW fails
    HOOKPROC procedure = nullptr;
};
HookBoundary boundary;
IatHook* installImport = nullptr;
const HHOOK kFakeHook = reinterpret_cast<HHOOK>(static_cast<INT_PTR>(0x5150));

HHOOK WINAPI InstallHook(int kind, HOOKPROC procedure, HINSTANCE module, DWORD thread) {
    if (kind != WH_MOUSE_LL)
        return OriginalOf<decltype(&SetWindowsHookExW)>(*installImport)(kind, procedure, module, thread);
    ++boundary.installs;
    if (boundary.refuse) return nullptr;
    ++boundary.live;
    boundary.procedure = procedure;
    return kFakeHook;
}
IatHook* removeImport = nullptr;
BOOL WINAPI RemoveHook(HHOOK hook) {
    if (hook != kFakeHook) return OriginalOf<decltype(&UnhookWindowsHookEx)>(*removeImport)(hook);
    ++boundary.removals;
    --boundary.live;
    return TRUE;
}
LRESULT WINAPI PassOn(HHOOK, int, WPARAM, LPARAM) {
    ++boundary.passedOn;
    return 0;
}

// A classic taskbar along the bottom, as in the input tests: cells of 24 x 30 in a toolbar
// starting at x 1100; the strip's icons take its first two cells.
constexpr int kCellWidth = 24;
const RECT kToolbar = {1100, 770, 1100 + 2 + 6 * kCellWidth, 800}; // not a resource id: screen pixels

class WheelBoundary {
public:
    WheelBoundary()
        : install(GetModuleHandleW(nullptr), "user32.dll", "SetWindowsHookExW", reinterpret_cast<void*>(&InstallHook)),
          remove(GetModuleHandleW(nullptr), "user32.dll", "UnhookWindowsHookEx", reinterpret_cast<void*>(&RemoveHook)),
          passOn(GetModuleHandleW(nullptr), "user32.dll", "CallNextHookEx", reinterpret_cast<void*>(&PassOn)) {
        installImport = &install;
        removeImport = &remove;
        boundary = HookBoundary();
    }
    bool Installed() const { return install.Installed() && remove.Installed() && passOn.Installed(); }

    IatHook install, remove, passOn;
};

class Desk {
public:
    explicit Desk(int trayXOffset) : m_trayXOffset(trayXOffset) {
        geometry.SetClassicTaskbar({0, 760, 1280, 800}, kToolbar, SIZE{kCellWidth, 30});
        PointAtCell(0);
    }
    // The middle of the toolbar's cell `cell` (0 and 1 are the strip's).
    POINT CellMiddle(int cell) const { return POINT{kToolbar.left + m_trayXOffset + cell * kCellWidth + 12, 785}; }
    void PointAtCell(int cell) { geometry.SetPointer(CellMiddle(cell)); }
    void PointAway() { geometry.SetPointer(POINT{400, 300}); }

    TrayGeometry geometry;

private:
    int m_trayXOffset;
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// ---- The strip alone: the earlier systems' profile, quit and an exception during a hover

// A strip whose player fails: every refresh that asks for the slider position throws.
class ThrowingStrip : public TestStrip {
public:
    bool fail = false;
    double onWantSliderPosition() override {
        if (fail) throw std::runtime_error("the player failed");
        return TestStrip::onWantSliderPosition();
    }
};

class StripWheelHook : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(hooks.Installed());
        window.reset(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        strip.InitIcons(window.get(), GetModuleHandleW(nullptr), L"");
        // Windows XP and Vista: the shell's moves matter to nothing else without a button held.
        NotifyIcons::TrayProfile earlier = strip.Profile();
        earlier.isWin7 = false;
        earlier.trayXOffset = 0;
        strip.UseProfile(earlier);
    }
    void Message(UINT message, int cell) {
        desk.PointAtCell(cell);
        strip.NotifyIconCallback(message, NotifyIcons::kIconId[cell]);
    }

    WheelBoundary hooks;
    ShellTray shell;
    Desk desk{0};
    // Goes after the strip, which removes its icons first.
    UniqueWindow window;
    ThrowingStrip strip;
};

TEST_F(StripWheelHook, EarlierSystemsInstallOnAPlainMoveAndQuitRemovesTheHook) {
    Message(WM_MOUSEMOVE, 0);
    EXPECT_EQ(boundary.installs, 1) << "a plain move";
    EXPECT_EQ(boundary.live, 1) << "a plain move";
    strip.WithdrawIcons(); // what the player's quit does
    EXPECT_EQ(boundary.live, 0) << "after quit";
    Message(WM_MOUSEMOVE, 1);
    EXPECT_EQ(boundary.installs, 1) << "after quit nothing installs it again";
}

TEST_F(StripWheelHook, HookOfAHoverWhoseMessageThrowsIsRemovedWhenThePointerLeaves) {
    strip.SetPlayMode(Playing);
    strip.fail = true;
    EXPECT_THROW(Message(WM_LBUTTONDOWN, 0), std::runtime_error);
    EXPECT_EQ(boundary.live, 1) << "after the throw";
    strip.fail = false;
    desk.PointAway();
    strip.TimerTick();
    EXPECT_EQ(boundary.live, 0) << "after the pointer left";
}

TEST_F(StripWheelHook, StripDestroyedDuringAHoverTakesItsHookAlong) {
    {
        TestStrip other;
        other.InitIcons(window.get(), GetModuleHandleW(nullptr), L"");
        desk.PointAtCell(0);
        other.NotifyIconCallback(WM_LBUTTONDOWN, NotifyIcons::kIconId[0]);
        EXPECT_EQ(boundary.live, 1) << "during the hover";
    }
    EXPECT_EQ(boundary.live, 0) << "after the strip was destroyed";
}

// ---- The running controller against the in-process stand-in player

class VolumeWheel : public testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn = new InProcessHost();
        tray = new ShellTray();
        hooks = new WheelBoundary();
        desk = new Desk(2);
        Trelvane::Instance().onInit();
        standIn->playback().RegisterCallback(&PlayCallback(), kPlayCallbackMask, true);
    }
    void SetUp() override {
        ASSERT_TRUE(hooks->Installed());
        ASSERT_TRUE(controller().Windows7Profile()) << "the cases below are worked out for the Windows 7 profile";
        standIn->playback().Stop();
        cfg::VolumeSlider = false;
        controller().VolumeSlider();
        controller().EndWheelVolume();
        // Each case starts a hover of its own: a new hook, no partial notch left over.
        desk->PointAway();
        Tick();
        desk->PointAtCell(0);
        Hover();
        standIn->playback().SetVolumeDb(0);
        NotifyIcons::TipRewrittenAt(LLONG_MAX); // no tooltip rewrites in between
        tray->Clear();
    }
    static Trelvane& controller() { return Trelvane::Instance(); }
    static fb2k_host::PlaybackEngine& playback() { return standIn->playback(); }
    // A tray mouse message on icon 0, with the pointer on it: a hover, if none is going on.
    static void Hover() { controller().NotifyIconCallback(WM_MOUSEMOVE, NotifyIcons::kIconId[0]); }
    static void Tick() { SendMessageW(controller().MessageWindow(), WM_TIMER, Trelvane::kSliderTimer, 0); }
    // A wheel message as the hook posts it, with the point given.
    static void Wheel(INT_PTR delta, POINT at) {
        SendMessageW(controller().MessageWindow(), controller().WheelMessage(), static_cast<WPARAM>(delta),
                     MAKELPARAM(at.x, at.y));
    }
    static void WheelOnStrip(INT_PTR delta) { Wheel(delta, desk->CellMiddle(1)); }
    static double Decibels() { return playback().VolumeDb(); }
    static void SetStep(int step) { playback().SetVolumeDb(static_cast<float>(DecibelsOfStep(step))); }
    // Whether icon 0 shows anything in its slider rows (rows 0 to 5 of the 16-pixel strip).
    static bool SliderRowDrawn() {
        Pixels pixels = ReadIconPixels(LastIcon0());
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 16; ++x)
                if (pixels.Opaque(x, y)) return true;
        return false;
    }
    static HICON LastIcon0() {
        HICON icon = nullptr;
        for (const ShellCall& call : tray->Calls())
            if (call.id == NotifyIcons::kIconId[0] && call.icon) icon = call.icon;
        return icon;
    }

    static InProcessHost* standIn;
    static ShellTray* tray;
    static WheelBoundary* hooks;
    static Desk* desk;
};
InProcessHost* VolumeWheel::standIn = nullptr;
ShellTray* VolumeWheel::tray = nullptr;
WheelBoundary* VolumeWheel::hooks = nullptr;
Desk* VolumeWheel::desk = nullptr;

// One notch up and one down from every step set as the slider sets it: the wheel lands on the
// slider's neighbouring steps, and stays at 0 dB and at -100 dB at the ends.
TEST_F(VolumeWheel, EachNotchIsOneSliderStepFromEveryStepClampedAtBothEnds) {
    controller().VolumeSlider(true);
    for (int step = 0; step <= 24; ++step) {
        controller().onSliderPositionChange(step / 24.0);
        WheelOnStrip(WHEEL_DELTA);
        EXPECT_NEAR(Decibels(), DecibelsOfStep(step < 24 ? step + 1 : 24), 1e-4) << "one notch up from step " << step;
        controller().onSliderPositionChange(step / 24.0);
        WheelOnStrip(-WHEEL_DELTA);
        EXPECT_NEAR(Decibels(), DecibelsOfStep(step > 0 ? step - 1 : 0), 1e-4) << "one notch down from step " << step;
    }
}

// Three notches at once; partial touchpad deltas that add up to a notch, in either direction;
// a volume the player set between two steps; deltas at the limits of what a message carries.
TEST_F(VolumeWheel, NotchesAddUpFromPartialDeltasAndHugeDeltasOnlyReachTheEnds) {
    WheelOnStrip(-3 * WHEEL_DELTA);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(21), 1e-4) << "three notches down at once";
    WheelOnStrip(40);
    WheelOnStrip(40);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(21), 1e-4) << "two thirds of a notch change nothing";
    WheelOnStrip(40);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(22), 1e-4) << "three thirds make a notch";
    WheelOnStrip(-100);
    WheelOnStrip(100);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(22), 1e-4) << "a partial turn back and forth changes nothing";

    playback().SetVolumeDb(-20.0f); // level 69, between steps 6 (63) and 7 (74)
    WheelOnStrip(WHEEL_DELTA);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(7), 1e-4) << "up from between steps";
    playback().SetVolumeDb(-20.0f);
    WheelOnStrip(-WHEEL_DELTA);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(6), 1e-4) << "down from between steps";

    // With part of a notch kept, in the same direction as the huge delta.
    WheelOnStrip(60);
    WheelOnStrip(INT_MAX);
    EXPECT_EQ(Decibels(), 0.0f) << "INT_MAX";
    WheelOnStrip(-100);
    WheelOnStrip(INT_MIN);
    EXPECT_EQ(Decibels(), -100.0f) << "INT_MIN";
    WheelOnStrip(SHRT_MAX);
    EXPECT_EQ(Decibels(), 0.0f) << "SHRT_MAX";
}

// Beside the strip (the next cells of the same tray, elsewhere on the screen) the wheel does
// nothing, and draws nothing.
TEST_F(VolumeWheel, WheelOutsideTheStripsCellsChangesNothing) {
    SetStep(12);
    Wheel(WHEEL_DELTA, desk->CellMiddle(2));
    Wheel(WHEEL_DELTA, desk->CellMiddle(-1));
    Wheel(-WHEEL_DELTA, POINT{400, 300});
    EXPECT_NEAR(Decibels(), DecibelsOfStep(12), 1e-4);
    EXPECT_TRUE(ShellGot(*tray, "nothing sent for a turn outside the strip", {}));
    EXPECT_FALSE(controller().WheelVolumeShown());
}

// While stopped the slider row is empty; the wheel shows the bar and the volume cursor, and
// 1.5 seconds after the last notch (the controller's timer) it is empty again. Unchanged
// refreshes in between draw nothing.
struct StartedTimer {
    UINT_PTR id;
    UINT period;
};
std::vector<StartedTimer> started;
IatHook* setTimerImport = nullptr;
UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
    if (id != Trelvane::kSliderTimer) started.push_back({id, period});
    return OriginalOf<decltype(&SetTimer)>(*setTimerImport)(window, id, period, procedure);
}

TEST_F(VolumeWheel, StoppedStripShowsTheVolumeOnlyWhileTheWheelTurns) {
    started.clear();
    IatHook recordTimers(GetModuleHandleW(nullptr), "user32.dll", "SetTimer", reinterpret_cast<void*>(&RecordSetTimer));
    setTimerImport = &recordTimers;

    WheelOnStrip(-WHEEL_DELTA);
    ASSERT_TRUE(controller().WheelVolumeShown());
    ASSERT_FALSE(tray->CallsOf(NIM_MODIFY).empty()) << "the turn redraws";
    EXPECT_TRUE(SliderRowDrawn()) << "while turning";
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].id, Trelvane::kWheelVolumeTimer);
    EXPECT_EQ(started[0].period, 1500u);

    tray->Clear();
    controller().Refresh();
    EXPECT_TRUE(ShellGot(*tray, "nothing sent: nothing changed, nothing drawn", {}));
    WheelOnStrip(WHEEL_DELTA);
    EXPECT_EQ(started.size(), 2u) << "each notch starts the wait again";

    tray->Clear();
    SendMessageW(controller().MessageWindow(), WM_TIMER, Trelvane::kWheelVolumeTimer, 0);
    EXPECT_FALSE(controller().WheelVolumeShown()) << "after the wait";
    ASSERT_FALSE(tray->CallsOf(NIM_MODIFY).empty()) << "the end of the wait redraws";
    EXPECT_FALSE(SliderRowDrawn()) << "after the wait";
    tray->Clear();
    controller().Refresh();
    EXPECT_TRUE(ShellGot(*tray, "nothing sent once the wheel's volume has gone", {}));
}

// Playing with the seek slider: the wheel shows the volume cursor at the volume's step, and the
// slider goes back to seeking afterwards; the user's choice is untouched.
TEST_F(VolumeWheel, SeekSliderShowsTheVolumeWhileTurningAndSeeksAgainAfterwards) {
    playback().SetPlaylist({FileTrack(240.0)});
    playback().Play();
    ASSERT_FALSE(controller().VolumeSliderActive()) << "before the turn";
    EXPECT_LT(controller().onWantSliderPosition(), 0.1) << "the seek position near the start";
    WheelOnStrip(-12 * WHEEL_DELTA);
    EXPECT_NEAR(controller().onWantSliderPosition(), kStepLevel[12] / 255.0, 0.005) << "the volume's position";
    controller().onSliderPositionChange(18 / 24.0);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(18), 1e-4) << "the slider shown as volume sets the volume";
    SendMessageW(controller().MessageWindow(), WM_TIMER, Trelvane::kWheelVolumeTimer, 0);
    EXPECT_FALSE(controller().VolumeSliderActive()) << "after the wait";
    EXPECT_LT(controller().onWantSliderPosition(), 0.1) << "seeking again after the wait";
    EXPECT_FALSE(cfg::VolumeSlider);
    playback().Stop();
}

// The road from Windows: the procedure the component installed posts one message for a turn
// of the wheel, nothing for other mouse events, and passes every event on.
TEST_F(VolumeWheel, HookProcedurePostsOnlyWheelTurnsAndPassesEveryEventOn) {
    ASSERT_EQ(boundary.live, 1);
    ASSERT_NE(boundary.procedure, nullptr);
    const int passedBefore = boundary.passedOn;
    MSLLHOOKSTRUCT event = {};
    event.pt = desk->CellMiddle(0);
    boundary.procedure(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event));
    event.mouseData = static_cast<DWORD>(MAKELONG(0, -WHEEL_DELTA));
    boundary.procedure(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&event));
    event.mouseData = static_cast<DWORD>(MAKELONG(0, WHEEL_DELTA));
    boundary.procedure(HC_ACTION, WM_MOUSEHWHEEL, reinterpret_cast<LPARAM>(&event));
    EXPECT_EQ(boundary.passedOn - passedBefore, 3);
    Pump();
    EXPECT_NEAR(Decibels(), DecibelsOfStep(23), 1e-4) << "one notch down, from the one wheel turn";
}

// The hook lives from the first mouse message of a hover until the tick that finds the pointer
// off the strip: one install, none for later messages, removed once, none left.
TEST_F(VolumeWheel, HookIsThereFromTheFirstMouseMessageUntilThePointerHasLeft) {
    desk->PointAway();
    Tick();
    ASSERT_EQ(boundary.live, 0) << "pointer away";
    const int installs = boundary.installs, removals = boundary.removals;
    desk->PointAtCell(1);
    controller().NotifyIconCallback(WM_MOUSEMOVE, NotifyIcons::kIconId[1]);
    controller().NotifyIconCallback(WM_MOUSEMOVE, NotifyIcons::kIconId[1]);
    controller().NotifyIconCallback(WM_MBUTTONDOWN, NotifyIcons::kIconId[1]);
    EXPECT_EQ(boundary.installs - installs, 1);
    desk->PointAtCell(0);
    Tick();
    EXPECT_EQ(boundary.live, 1) << "the pointer is still on the strip";
    desk->PointAtCell(2);
    Tick();
    EXPECT_EQ(boundary.removals - removals, 1);
    EXPECT_EQ(boundary.live, 0) << "the pointer has left the strip";
    SetStep(12); // a turn up from the top could not show whether it counted
    WheelOnStrip(WHEEL_DELTA * 5);
    EXPECT_NEAR(Decibels(), DecibelsOfStep(12), 1e-4) << "the volume after a turn that arrives after the hover";
    EXPECT_FALSE(controller().WheelVolumeShown()) << "a turn that arrives after the hover counts no more";
}

// A hook that Windows refuses: the wheel does nothing, the hover tries no more, nothing is left
// to remove; the next hover tries again.
TEST_F(VolumeWheel, RefusedHookIsTriedOncePerHoverAndLeavesNothing) {
    desk->PointAway();
    Tick();
    boundary.refuse = true;
    const int installs = boundary.installs, removals = boundary.removals;
    desk->PointAtCell(0);
    Hover();
    Hover();
    EXPECT_EQ(boundary.installs - installs, 1) << "the refused hover";
    EXPECT_EQ(boundary.live, 0) << "the refused hover";
    desk->PointAway();
    Tick();
    EXPECT_EQ(boundary.removals - removals, 0);
    boundary.refuse = false;
    desk->PointAtCell(0);
    Hover();
    EXPECT_EQ(boundary.installs - installs, 2) << "the next hover";
    EXPECT_EQ(boundary.live, 1) << "the next hover";
}

} // namespace
