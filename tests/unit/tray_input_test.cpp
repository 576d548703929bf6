// Mouse input on the tray strip: the shell's callback messages with the pointer and the
// taskbar's windows steered at the import boundary. The profile cases run again in child
// processes that Wine reports as Windows XP x64, Vista and 7.
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "tests/support/windows_version.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

class InputStrip : public TestStrip {
public:
    std::vector<double> positions;
    void onSliderPositionChange(double fraction) override {
        TestStrip::onSliderPositionChange(fraction);
        positions.push_back(fraction);
    }
};

// One message of a press/release script at a strip pixel, and what must hold after it
// (kAnything: not looked at).
constexpr int kAnything = -1;
constexpr int kSliderRow = 3, kButtonRow = 11; // strip rows of the slider and the buttons
struct ScriptStep {
    UINT message;
    int x, y;
    int hot = kAnything;      // the element drawn hot (TrayButton)
    int cursor = kAnything;   // the slider's cursor step
    int dragging = kAnything; // 1 while a drag goes on, 0 when none
    int applied = kAnything;  // slider positions applied so far
    int held = kAnything;     // 1 while a left press waits for its release, 0 when none
    ScriptStep Hot(int button) const { return With(&ScriptStep::hot, button); }
    ScriptStep Cursor(int step) const { return With(&ScriptStep::cursor, step); }
    ScriptStep Dragging(bool on) const { return With(&ScriptStep::dragging, on ? 1 : 0); }
    ScriptStep Applied(int count) const { return With(&ScriptStep::applied, count); }
    ScriptStep Held(bool down) const { return With(&ScriptStep::held, down ? 1 : 0); }

private:
    ScriptStep With(int ScriptStep::*field, int value) const {
        ScriptStep step = *this;
        step.*field = value;
        return step;
    }
};
ScriptStep Msg(UINT message, int x, int y) { return ScriptStep{message, x, y}; }

// A strip on a classic taskbar along the bottom of the screen: a toolbar of 24 x 30 cells
// (one row), the strip's icons in its first two cells, each icon centred in its cell.
class TrayInput : public ::testing::Test {
protected:
    static constexpr int kCellWidth = 24;
    static constexpr int kCellHeight = 30;

    void SetUp() override {
        ASSERT_TRUE(geometry.Installed());
        ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), 16) << "the cases below are worked out for 16-pixel icons";
        savedNudge = NotifyIcons::LastTipRewrite();
        NotifyIcons::TipRewrittenAt(std::numeric_limits<__int64>::max()); // no tooltip rewrites in between
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        const int left = 1100; // not a resource id: pixels
        toolbar = {left, 770, left + strip.Profile().trayXOffset + 6 * kCellWidth, 770 + kCellHeight};
        geometry.SetClassicTaskbar({0, 760, 1280, 800}, toolbar, SIZE{kCellWidth, kCellHeight});
        shell.Clear();
    }
    void TearDown() override { NotifyIcons::TipRewrittenAt(savedNudge); }

    static UINT IdOf(int icon) { return NotifyIcons::kIconId[icon]; }
    // Left edge of icon `icon`'s cell, and the screen point of strip pixel (x, y).
    int CellLeft(int icon) const { return toolbar.left + strip.Profile().trayXOffset + icon * kCellWidth; }
    POINT ScreenOf(int x, int y) const {
        int icon = x >= 16 ? 1 : 0;
        return POINT{CellLeft(icon) + (kCellWidth - 16) / 2 + x - 16 * icon, toolbar.top + (kCellHeight - 16) / 2 + y};
    }
    // The strip's area: both cells.
    RECT StripArea() const { return RECT{CellLeft(0), toolbar.top, CellLeft(2), toolbar.bottom}; }

    // Sends `message` for the icon under strip pixel (x, y), the pointer placed there.
    void At(UINT message, int x, int y) {
        geometry.SetPointer(ScreenOf(x, y));
        strip.NotifyIconCallback(message, IdOf(x >= 16 ? 1 : 0));
    }
    void Click(int x, int y) {
        At(WM_LBUTTONDOWN, x, y);
        At(WM_LBUTTONUP, x, y);
    }
    static int ButtonRowY() { return 11; }
    static int SliderRowY() { return 3; }
    // Strip x of the middle of each button.
    static int CentreOf(int button) {
        switch (button) {
        case TrayButton::Back: return 3;
        case TrayButton::StopLoad: return 12;
        case TrayButton::PlayPause: return 16 + 4;
        default: return 16 + 13;
        }
    }
    // The dead column between play/pause and next.
    int DeadColumnOfIcon1() const { return 16 + strip.Profile().buttonXOffset + 7; }
    // Strip x under which the cursor at `step` has its left edge.
    static int SliderX(int step) { return step + 2; }
    void Play(PlayMode mode, double position = 0.5) {
        strip.sliderFraction = position;
        strip.SetPlayMode(mode);
        shell.Clear();
        strip.positionRequests = 0;
    }

    // One row of a press/release script: the messages the shell sends with the pointer at strip
    // pixels, and what they must have called (slider fractions applied, the other hooks).
    struct Script {
        const char* name;
        bool volume; // the slider shows the volume
        PlayMode mode;
        double position; // the slider's fraction before the first message
        std::vector<ScriptStep> steps;
        std::vector<std::string> hooks; // without "slider": `positions` lists those
        std::vector<double> positions;
    };
    // What must hold after a step, where the step says.
    void ExpectAfter(const ScriptStep& step, const std::string& where) {
        const NotifyIcons::InputState input = strip.Input();
        if (step.hot != kAnything) {
            EXPECT_EQ(input.hotButton, step.hot) << where << ": the element drawn hot";
        }
        if (step.cursor != kAnything) {
            EXPECT_EQ(input.sliderPos, step.cursor) << where << ": the cursor";
        }
        if (step.dragging != kAnything) {
            EXPECT_EQ(input.dragging, step.dragging != 0) << where << ": a drag";
        }
        if (step.held != kAnything) {
            EXPECT_EQ(input.buttonDown, step.held != 0) << where << ": a press held";
        }
        if (step.applied != kAnything) {
            EXPECT_EQ(strip.positions.size(), static_cast<size_t>(step.applied)) << where << ": positions applied";
        }
    }
    void Run(const Script& script) {
        strip.SetSliderMode(script.volume);
        Play(script.mode, script.position);
        strip.hooks.clear();
        strip.positions.clear();
        for (size_t i = 0; i < script.steps.size(); ++i) {
            const ScriptStep& step = script.steps[i];
            At(step.message, step.x, step.y);
            const std::string where = std::string(script.name) + ", message " + std::to_string(i + 1);
            ExpectAfter(step, where);
        }
        std::vector<std::string> hooks;
        for (const std::string& hook : strip.hooks)
            if (hook != "slider") hooks.push_back(hook);
        EXPECT_EQ(hooks, script.hooks) << script.name;
        EXPECT_EQ(strip.positions, script.positions) << script.name;
    }

    ShellTray shell;
    TrayGeometry geometry;
    InputStrip strip;
    RECT toolbar = {};
    __int64 savedNudge = 0;
};

TEST(TrayInputProfiles, EachWindowsVersionHitsAndDragsItsWay) {
    struct Run {
        const wchar_t* version;
        const char* filter;
    };
    for (const Run& run : {Run{L"winxp64", "TrayInput.*:ClassicInput.*"}, Run{L"vista", "TrayInput.*:ClassicInput.*"},
                           Run{L"win7", "TrayInput.*:Win7Input.*"}, Run{L"win10", "TrayInput.*:Win7Input.*"}}) {
        ChildResult child = RunTestsAsWindowsVersion(run.version, run.filter);
        EXPECT_TRUE(child.finished) << run.filter;
        EXPECT_EQ(child.exitCode, 0u) << run.version << " failed in its child process (report above)";
    }
}

// ---- Any profile ----

TEST_F(TrayInput, MessagesForOtherIconsChangeNothing) {
    Play(Playing);
    geometry.SetPointer(ScreenOf(5, ButtonRowY()));
    for (UINT message : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP), UINT(WM_CONTEXTMENU), UINT(WM_MBUTTONUP)})
        strip.NotifyIconCallback(message, 6864);
    EXPECT_TRUE(strip.hooks.empty());
    EXPECT_FALSE(strip.Input().buttonDown);
    EXPECT_EQ(strip.positionRequests, 0) << "no refresh";
    EXPECT_TRUE(ShellGot(shell, "nothing sent for another program's icon", {}));
}

// The shell can hand over its next message while the strip waits on a question to it (where
// the icon is): a release that comes inside its own press is handled after the press.
TEST_F(TrayInput, AReleaseHandedOverInsideItsPressStillClicks) {
    Play(Playing);
    geometry.SetPointer(ScreenOf(CentreOf(TrayButton::Next), ButtonRowY()));
    geometry.DeliverDuringNextQuestion([&] { strip.NotifyIconCallback(WM_LBUTTONUP, IdOf(1)); });
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"next"});
    EXPECT_FALSE(strip.Input().buttonDown) << "the press ended with its release";
}

TEST_F(TrayInput, BalloonTimeoutAndClickHideTheBalloon) {
    for (UINT message : {UINT(NIN_BALLOONTIMEOUT), UINT(NIN_BALLOONUSERCLICK)}) {
        strip.ShowBalloon(L"Title of a song", L"Now playing", 4);
        shell.Clear();
        strip.NotifyIconCallback(message, IdOf(1));
        bool hidden = false;
        for (const ShellCall& call : shell.CallsOf(NIM_MODIFY))
            hidden = hidden || (call.id == IdOf(0) && (call.flags & NIF_INFO) && call.info.empty());
        EXPECT_TRUE(hidden) << message;
    }
}

TEST_F(TrayInput, PressAndReleaseOnAButtonCallsItsOneHook) {
    struct Case {
        PlayMode mode;
        int button;
        const char* hook;
    };
    const Case cases[] = {
        {Stopped, TrayButton::StopLoad, "load"}, {Paused, TrayButton::StopLoad, "stop"},
        {Playing, TrayButton::StopLoad, "stop"}, {Stopped, TrayButton::PlayPause, "play"},
        {Paused, TrayButton::PlayPause, "play"}, {Playing, TrayButton::PlayPause, "pause"},
        {Playing, TrayButton::Back, "prev"},     {Stopped, TrayButton::Next, "next"},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.hook) + " in mode " + std::to_string(c.mode);
        Play(c.mode);
        strip.hooks.clear();
        At(WM_LBUTTONDOWN, CentreOf(c.button), ButtonRowY());
        EXPECT_EQ(strip.Input().hotButton, c.button) << name << ": pressed element drawn hot";
        EXPECT_TRUE(strip.hooks.empty()) << name << ": nothing happens at the press";
        At(WM_LBUTTONUP, CentreOf(c.button), ButtonRowY());
        EXPECT_EQ(strip.hooks, std::vector<std::string>{c.hook}) << name;
        EXPECT_EQ(strip.Input().hotButton, TrayButton::None) << name << ": released";
        EXPECT_FALSE(strip.Input().buttonDown) << name << ": released";
    }
}


TEST_F(TrayInput, PointsOffTheTrayRowsAreIgnoredWithoutARefresh) {
    Play(Playing);
    geometry.SetPointer(toolbar.left + 5, toolbar.top - 4); // above the toolbar
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(0));
    EXPECT_FALSE(strip.Input().buttonDown) << "a press above the toolbar";

    At(WM_LBUTTONDOWN, CentreOf(TrayButton::Next), ButtonRowY());
    strip.positionRequests = 0;
    geometry.SetPointer(toolbar.left + 5, toolbar.top - 4);
    strip.NotifyIconCallback(WM_MOUSEMOVE, IdOf(1));
    strip.NotifyIconCallback(WM_LBUTTONUP, IdOf(1));
    EXPECT_EQ(strip.positionRequests, 0);
    EXPECT_TRUE(strip.Input().buttonDown) << "the release was not seen; the timer ends the press";
    EXPECT_TRUE(strip.hooks.empty());

    geometry.LosePointer(); // no pointer position at all
    strip.TimerTick();      // nor a pointer on the strip: the timer ends the press
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    EXPECT_FALSE(strip.Input().buttonDown) << "a press without a pointer position";
}


// Press/release scripts that act the same on every profile.
TEST_F(TrayInput, ScriptsOnAnyProfile) {
    const int back = CentreOf(TrayButton::Back), next = CentreOf(TrayButton::Next);
    const Script scripts[] = {
        {"the element under the pointer at the release acts",
         false, Stopped, 0.0,
         {Msg(WM_LBUTTONDOWN, back, kButtonRow), Msg(WM_MOUSEMOVE, next, kButtonRow).Hot(TrayButton::Next),
          Msg(WM_LBUTTONUP, next, kButtonRow).Held(false)},
         {"next"}, {}},
        {"a release on the dead column between play/pause and next acts on nothing",
         false, Stopped, 0.0,
         {Msg(WM_LBUTTONDOWN, back, kButtonRow), Msg(WM_LBUTTONUP, DeadColumnOfIcon1(), kButtonRow)}, {}, {}},
        {"a release in the cell but below the icon acts on nothing",
         false, Stopped, 0.0,
         {Msg(WM_LBUTTONDOWN, back, kButtonRow), Msg(WM_LBUTTONUP, back, 17)}, {}, {}},
        {"the context menu and the middle button call their hooks",
         false, Stopped, 0.0,
         {Msg(WM_CONTEXTMENU, 5, kButtonRow), Msg(WM_MBUTTONDOWN, 5, kButtonRow), Msg(WM_MBUTTONUP, 5, kButtonRow),
          Msg(WM_LBUTTONDBLCLK, 5, kButtonRow)},
         {"right", "middle"}, {}},
        {"each press of a double click on next counts, the second drawn like the first",
         false, Playing, 0.0,
         {Msg(WM_LBUTTONDOWN, next, kButtonRow), Msg(WM_LBUTTONUP, next, kButtonRow),
          Msg(WM_LBUTTONDBLCLK, next, kButtonRow).Hot(TrayButton::Next), Msg(WM_LBUTTONUP, next, kButtonRow)},
         {"next", "next"}, {}},
    };
    for (const Script& script : scripts) Run(script);
}

// The shell reports the second press of a quick double click as a double click: it is a press
// like the first, so two quick clicks on next skip two tracks and a second click on the slider
// applies again.
TEST_F(TrayInput, EachPressOfADoubleClickOnTheSliderApplies) {
    Play(Playing, 0.0);
    // The position each applies differs by profile; the scripts above have next's case.
    At(WM_LBUTTONDOWN, SliderX(6), SliderRowY());
    At(WM_LBUTTONUP, SliderX(6), SliderRowY());
    At(WM_LBUTTONDBLCLK, SliderX(6), SliderRowY());
    At(WM_LBUTTONUP, SliderX(6), SliderRowY());
    EXPECT_EQ(strip.positions.size(), 2u) << "both clicks on the slider apply";
}

// Enter or Space on a focused icon toggles play/pause. The select notice the shell sends after
// a left click belongs to the click and does nothing more; one key press reported twice acts once.
TEST_F(TrayInput, KeyboardSelectOnEitherIconTogglesPlayPause) {
    Play(Playing);
    strip.NotifyIconCallback(NIN_KEYSELECT, IdOf(0));
    strip.NotifyIconCallback(NIN_KEYSELECT, IdOf(0));
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"pause"}) << "one key press reported twice";

    Play(Paused);
    strip.hooks.clear();
    Sleep(150);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1)); // no click before it: the keyboard's
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"}) << "a select with no click before it";

    // The click's notice belongs to it however late it comes (a busy machine, a release
    // whose shell calls waited), and only to it: the next one without a click is a key's.
    strip.hooks.clear();
    Sleep(150);
    Click(CentreOf(TrayButton::Next), ButtonRowY());
    Sleep(GetDoubleClickTime() + 100);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1));
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"next"}) << "a click's late select";
    Sleep(150);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1));
    EXPECT_EQ(strip.hooks, (std::vector<std::string>{"next", "play"})) << "the select after the click's";
}

TEST_F(TrayInput, TimerEndsPressAndDragOnceThePointerHasLeftBothIcons) {
    Play(Playing);
    At(WM_LBUTTONDOWN, SliderX(6), SliderRowY());
    ASSERT_TRUE(strip.Input().dragging) << "the press on the slider";
    // Across to icon 1 the drag goes on; all four edges of the two cells still count.
    At(WM_MOUSEMOVE, SliderX(20), SliderRowY());
    strip.hooks.clear();
    const RECT area = StripArea();
    for (POINT edge : {POINT{area.left, area.top}, POINT{area.right, area.bottom}}) {
        geometry.SetPointer(edge);
        strip.TimerTick();
        ASSERT_TRUE(strip.Input().dragging) << "pointer at " << edge.x << ", " << edge.y;
    }
    geometry.SetPointer(area.right + 1, area.top);
    strip.TimerTick();
    EXPECT_FALSE(strip.Input().dragging) << "pointer off the strip";
    EXPECT_FALSE(strip.Input().buttonDown);
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
    EXPECT_GT(strip.positionRequests, 0) << "redrawn";
    // Back over the slider, the release of the abandoned drag applies nothing.
    At(WM_LBUTTONUP, SliderX(20), SliderRowY());
    EXPECT_TRUE(strip.hooks.empty());

    // Nothing hot: the timer has nothing to do.
    strip.positionRequests = 0;
    strip.TimerTick();
    EXPECT_EQ(strip.positionRequests, 0) << "a tick with nothing hot";
}

// ---- Where the taskbar has no classic toolbar (Wine, Windows 11): the icon's own window ----

// A window of the class Wine gives each tray icon, 20 x 20 with the icon centred, made for
// real in this process so that the window under the pointer is found as the shell's is.
class WineIconWindow {
public:
    WineIconWindow(int left, int top) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"__wine_tray_icon";
        RegisterClassW(&windowClass);
        m_window.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"__wine_tray_icon", L"",
                                       WS_POPUP | WS_VISIBLE, left, top, 20, 20, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    }
    HWND get() const { return m_window.get(); }

private:
    UniqueWindow m_window;
};

TEST_F(TrayInput, WithoutAToolbarTheIconWindowUnderThePointerPlacesIt) {
    geometry.SetTaskbarWithoutToolbar({0, 760, 1280, 800});
    WineIconWindow icon1(620, 770); // the strip's right-hand icon
    ASSERT_TRUE(icon1.get());
    const POINT playPixel = {622 + 3, 772 + 12}; // icon pixel (3, 12): play/pause on every profile
    ASSERT_EQ(WindowFromPoint(playPixel), icon1.get()) << "the test window must be the one under the pointer";

    geometry.SetPointer(playPixel);
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    EXPECT_EQ(strip.Input().hotButton, TrayButton::PlayPause);
    strip.NotifyIconCallback(WM_LBUTTONUP, IdOf(1));
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"}) << "the click";
    RECT bothWindows = {600, 770, 640, 790}; // icon 0 is taken to sit left of icon 1
    EXPECT_TRUE(EqualRect(&strip.StripArea(), &bothWindows)) << "the timer watches both icons' windows";

    // Held down, the pointer on the window's frame is still on the strip; off it, not.
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    geometry.SetPointer(639, 789);
    strip.TimerTick();
    EXPECT_TRUE(strip.Input().buttonDown) << "on the window's frame";
    geometry.SetPointer(641, 780);
    strip.TimerTick();
    EXPECT_FALSE(strip.Input().buttonDown) << "off the window";

    // Nothing of the tray under the pointer, and no taskbar at all: the press cannot be placed.
    geometry.RemoveTaskbar();
    geometry.SetPointer(5, 5);
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    EXPECT_FALSE(strip.Input().buttonDown) << "no tray under the pointer";
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"}) << "no tray under the pointer";
}

// ---- Before Windows 7 (the Windows XP and Vista children) ----

class ClassicInput : public TrayInput {
protected:
    void SetUp() override {
        TrayInput::SetUp();
        if (strip.Windows7Profile()) GTEST_SKIP() << "earlier systems only";
    }
};

TEST_F(ClassicInput, MovesWithoutAHeldButtonAreIgnored) {
    Play(Playing);
    At(WM_MOUSEMOVE, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
    EXPECT_EQ(strip.positionRequests, 0) << "no refresh";
    EXPECT_TRUE(ShellGot(shell, "nothing sent for a move without a button", {}));
}




// Press/release scripts before Windows 7: the left button clicks and drags, the right one
// presses nothing.
TEST_F(ClassicInput, Scripts) {
    const int next = CentreOf(TrayButton::Next);
    auto drag = [&](const char* name, bool volume) {
        return Script{name, volume, Playing, 0.0,
                      {Msg(WM_LBUTTONDOWN, SliderX(2), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(3), kSliderRow),
                       Msg(WM_MOUSEMOVE, SliderX(15), kSliderRow),
                       // off the slider the drag waits
                       Msg(WM_MOUSEMOVE, next, kButtonRow).Dragging(true).Cursor(15),
                       Msg(WM_MOUSEMOVE, 31, kSliderRow), // the strip's right end
                       Msg(WM_LBUTTONUP, SliderX(24), kSliderRow).Dragging(false)},
                      {}, {3 / 24.0, 15 / 24.0, 1.0, 1.0}};
    };
    const Script scripts[] = {
        {"the right button presses nothing, the slider included",
         false, Playing, 0.5,
         {Msg(WM_RBUTTONDOWN, SliderX(3), kSliderRow), Msg(WM_RBUTTONUP, SliderX(3), kSliderRow),
          Msg(WM_RBUTTONDOWN, next, kButtonRow),
          Msg(WM_RBUTTONUP, next, kButtonRow).Hot(TrayButton::None).Dragging(false)},
         {}, {}},
        {"a slider click moves the cursor at the press and applies at the release",
         false, Playing, 0.0,
         {Msg(WM_LBUTTONDOWN, SliderX(12), kSliderRow).Cursor(12).Applied(0),
          Msg(WM_LBUTTONUP, SliderX(12), kSliderRow).Dragging(false)},
         {}, {12 / 24.0}},
        {"while stopped the slider row is pressed like a button and does nothing",
         false, Stopped, 0.5,
         {Msg(WM_LBUTTONDOWN, SliderX(5), kSliderRow), Msg(WM_LBUTTONUP, SliderX(5), kSliderRow)}, {}, {}},
        drag("a seek drag follows the pointer live", false),
        drag("a volume drag follows the pointer live", true),
        {"a drag released over a button applies nothing and does not press it",
         false, Playing, 0.0,
         {Msg(WM_LBUTTONDOWN, SliderX(4), kSliderRow), Msg(WM_LBUTTONUP, next, kButtonRow)}, {}, {}},
    };
    for (const Script& script : scripts) Run(script);
}

// A release in another cell of the toolbar lies beyond the strip's area.
TEST_F(ClassicInput, DragReleasedOutsideTheStripsAreaAppliesNothing) {
    Play(Playing, 0.0);
    At(WM_LBUTTONDOWN, SliderX(4), SliderRowY());
    geometry.SetPointer(ScreenOf(SliderX(20), SliderRowY()).x + 2 * kCellWidth, ScreenOf(0, SliderRowY()).y);
    strip.NotifyIconCallback(WM_LBUTTONUP, IdOf(1));
    EXPECT_TRUE(strip.positions.empty());
    EXPECT_FALSE(strip.Input().dragging);
}

// ---- Windows 7 and later (the Windows 7 child) ----

class Win7Input : public TrayInput {
protected:
    void SetUp() override {
        // Windows 7's input and all later systems', which share it (the Windows 10 child runs these too).
        if (!ReportedVersionIs(6, 1) && !ReportedVersionIs(10, 0)) GTEST_SKIP() << "runs as Windows 6.1 and 10.0 only";
        TrayInput::SetUp();
    }
};

TEST_F(Win7Input, HoverLightsElementsTheSliderIncluded) {
    At(WM_MOUSEMOVE, SliderX(8), SliderRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Slider) << "over the slider";
    At(WM_MOUSEMOVE, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Next) << "over next";
    geometry.SetPointer(toolbar.left - 30, toolbar.top);
    strip.TimerTick();
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None) << "the pointer has left the tray";
    EXPECT_TRUE(strip.hooks.empty());
}





// Press/release scripts on Windows 7 and later: the right button drags the slider; a seek
// waits for the release, the volume follows once the drag has moved two steps.
TEST_F(Win7Input, Scripts) {
    const int next = CentreOf(TrayButton::Next);
    const Script scripts[] = {
        {"a right drag seeks once, at the release, and opens no menu",
         false, Playing, 0.0,
         {Msg(WM_RBUTTONDOWN, SliderX(4), kSliderRow).Dragging(true).Held(false),
          Msg(WM_MOUSEMOVE, SliderX(5), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(6), kSliderRow),
          Msg(WM_MOUSEMOVE, SliderX(7), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(8), kSliderRow),
          Msg(WM_MOUSEMOVE, SliderX(9), kSliderRow).Cursor(9).Applied(0), // the cursor follows, the seek waits
          Msg(WM_RBUTTONUP, SliderX(9), kSliderRow), Msg(WM_CONTEXTMENU, SliderX(9), kSliderRow)},
         {}, {9 / 24.0}},
        {"a right double click on the slider drags with its second press",
         false, Playing, 0.0,
         {Msg(WM_RBUTTONDOWN, SliderX(3), kSliderRow), Msg(WM_RBUTTONUP, SliderX(3), kSliderRow),
          Msg(WM_RBUTTONDBLCLK, SliderX(3), kSliderRow).Dragging(true), Msg(WM_MOUSEMOVE, SliderX(10), kSliderRow),
          Msg(WM_RBUTTONUP, SliderX(10), kSliderRow)},
         {}, {10 / 24.0}},
        {"a right click on the slider (one step is no drag) applies nothing and opens the menu",
         false, Playing, 10.5 / 24,
         {Msg(WM_RBUTTONDOWN, SliderX(10), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(11), kSliderRow),
          Msg(WM_RBUTTONUP, SliderX(11), kSliderRow), Msg(WM_CONTEXTMENU, SliderX(11), kSliderRow)},
         {"right"}, {}},
        {"the right button presses nothing but the slider",
         false, Playing, 10.5 / 24,
         {Msg(WM_RBUTTONDOWN, next, kButtonRow).Hot(TrayButton::None), Msg(WM_RBUTTONUP, next, kButtonRow)}, {}, {}},
        {"a right drag of the volume is live once it has moved two steps",
         true, Playing, 4.5 / 24,
         {Msg(WM_RBUTTONDOWN, SliderX(4), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(5), kSliderRow).Applied(0),
          Msg(WM_MOUSEMOVE, SliderX(6), kSliderRow), Msg(WM_MOUSEMOVE, SliderX(5), kSliderRow),
          Msg(WM_RBUTTONUP, SliderX(5), kSliderRow)},
         {}, {6 / 24.0, 5 / 24.0, 5 / 24.0}},
    };
    for (const Script& script : scripts) Run(script);
}

TEST_F(Win7Input, AVerticalToolbarThatDoesNotTellItsCellsIsReadAsSquareCells) {
    // Rows of 16 + 8 pixels on a taskbar taller than wide, two cells a row; the strip in the
    // third row.
    toolbar = {1200, 300, 1200 + 2 + 2 * 24, 300 + 4 * 24};
    geometry.SetClassicTaskbar({1180, 0, 1280, 800}, toolbar); // no TB_GETBUTTONSIZE answer
    auto hitAt = [&](int x, int y) {
        // Nothing hot before the move: the pointer has left the tray at the timer's tick.
        geometry.SetPointer(toolbar.left - 30, toolbar.top);
        strip.TimerTick();
        int icon = x >= 16 ? 1 : 0;
        geometry.SetPointer(1200 + 2 + icon * 24 + 4 + x - 16 * icon, 300 + 2 * 24 + 4 + y);
        strip.NotifyIconCallback(WM_MOUSEMOVE, IdOf(icon));
        return strip.Input().hotButton;
    };
    EXPECT_EQ(hitAt(3, -1), TrayButton::None);
    EXPECT_EQ(hitAt(3, 0), TrayButton::Slider);
    EXPECT_EQ(hitAt(30, 6), TrayButton::Slider);
    EXPECT_EQ(hitAt(0, 7), TrayButton::Back);
    EXPECT_EQ(hitAt(16, 15), TrayButton::PlayPause);
    EXPECT_EQ(hitAt(31, 15), TrayButton::Next);
    EXPECT_EQ(hitAt(31, 16), TrayButton::None);
    EXPECT_EQ(strip.Profile().rowGap, 8);
}

} // namespace
