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
        Play(c.mode);
        strip.hooks.clear();
        At(WM_LBUTTONDOWN, CentreOf(c.button), ButtonRowY());
        EXPECT_EQ(strip.Input().hotButton, c.button) << c.hook << ": pressed element drawn hot";
        EXPECT_TRUE(strip.hooks.empty()) << c.hook << ": nothing happens at the press";
        At(WM_LBUTTONUP, CentreOf(c.button), ButtonRowY());
        EXPECT_EQ(strip.hooks, std::vector<std::string>{c.hook}) << "mode " << c.mode;
        EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
        EXPECT_FALSE(strip.Input().buttonDown);
    }
}

TEST_F(TrayInput, TheElementUnderThePointerAtReleaseActs) {
    At(WM_LBUTTONDOWN, CentreOf(TrayButton::Back), ButtonRowY());
    At(WM_MOUSEMOVE, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Next) << "the hot image follows the held button";
    At(WM_LBUTTONUP, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"next"});

    strip.hooks.clear();
    At(WM_LBUTTONDOWN, CentreOf(TrayButton::Back), ButtonRowY());
    At(WM_LBUTTONUP, DeadColumnOfIcon1(), ButtonRowY());
    At(WM_LBUTTONDOWN, CentreOf(TrayButton::Back), ButtonRowY());
    At(WM_LBUTTONUP, CentreOf(TrayButton::Back), 17); // in the cell, below the icon
    EXPECT_TRUE(strip.hooks.empty());
}

TEST_F(TrayInput, PointsOffTheTrayRowsAreIgnoredWithoutARefresh) {
    Play(Playing);
    geometry.SetPointer(toolbar.left + 5, toolbar.top - 4); // above the toolbar
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(0));
    EXPECT_FALSE(strip.Input().buttonDown);

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
    EXPECT_FALSE(strip.Input().buttonDown);
}

TEST_F(TrayInput, ContextMenuAndMiddleButtonCallTheirHooks) {
    At(WM_CONTEXTMENU, 5, ButtonRowY());
    At(WM_MBUTTONDOWN, 5, ButtonRowY());
    At(WM_MBUTTONUP, 5, ButtonRowY());
    At(WM_LBUTTONDBLCLK, 5, ButtonRowY());
    EXPECT_EQ(strip.hooks, (std::vector<std::string>{"right", "middle"}));
}

// The shell reports the second press of a quick double click as a double click: it is a press
// like the first, so two quick clicks on next skip two tracks and a second click on the slider
// applies again.
TEST_F(TrayInput, EachPressOfADoubleClickCounts) {
    Play(Playing, 0.0);
    const int next = CentreOf(TrayButton::Next);
    At(WM_LBUTTONDOWN, next, ButtonRowY());
    At(WM_LBUTTONUP, next, ButtonRowY());
    At(WM_LBUTTONDBLCLK, next, ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Next) << "the second press is drawn like the first";
    At(WM_LBUTTONUP, next, ButtonRowY());
    EXPECT_EQ(strip.hooks, (std::vector<std::string>{"next", "next"}));

    strip.positions.clear();
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
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"pause"});

    Play(Paused);
    strip.hooks.clear();
    Sleep(150);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1)); // no click before it: the keyboard's
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"});

    // The click's notice belongs to it however late it comes (a busy machine, a release
    // whose shell calls waited), and only to it: the next one without a click is a key's.
    strip.hooks.clear();
    Sleep(150);
    Click(CentreOf(TrayButton::Next), ButtonRowY());
    Sleep(GetDoubleClickTime() + 100);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1));
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"next"});
    Sleep(150);
    strip.NotifyIconCallback(NIN_SELECT, IdOf(1));
    EXPECT_EQ(strip.hooks, (std::vector<std::string>{"next", "play"}));
}

TEST_F(TrayInput, TimerEndsPressAndDragOnceThePointerHasLeftBothIcons) {
    Play(Playing);
    At(WM_LBUTTONDOWN, SliderX(6), SliderRowY());
    ASSERT_TRUE(strip.Input().dragging);
    // Across to icon 1 the drag goes on; all four edges of the two cells still count.
    At(WM_MOUSEMOVE, SliderX(20), SliderRowY());
    strip.hooks.clear();
    const RECT area = StripArea();
    for (POINT edge : {POINT{area.left, area.top}, POINT{area.right, area.bottom}}) {
        geometry.SetPointer(edge);
        strip.TimerTick();
        ASSERT_TRUE(strip.Input().dragging);
    }
    geometry.SetPointer(area.right + 1, area.top);
    strip.TimerTick();
    EXPECT_FALSE(strip.Input().dragging);
    EXPECT_FALSE(strip.Input().buttonDown);
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
    EXPECT_GT(strip.positionRequests, 0) << "redrawn";
    // Back over the slider, the release of the abandoned drag applies nothing.
    At(WM_LBUTTONUP, SliderX(20), SliderRowY());
    EXPECT_TRUE(strip.hooks.empty());

    // Nothing hot: the timer has nothing to do.
    strip.positionRequests = 0;
    strip.TimerTick();
    EXPECT_EQ(strip.positionRequests, 0);
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
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"});
    RECT bothWindows = {600, 770, 640, 790}; // icon 0 is taken to sit left of icon 1
    EXPECT_TRUE(EqualRect(&strip.StripArea(), &bothWindows)) << "the timer watches both icons' windows";

    // Held down, the pointer on the window's frame is still on the strip; off it, not.
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    geometry.SetPointer(639, 789);
    strip.TimerTick();
    EXPECT_TRUE(strip.Input().buttonDown);
    geometry.SetPointer(641, 780);
    strip.TimerTick();
    EXPECT_FALSE(strip.Input().buttonDown);

    // Nothing of the tray under the pointer, and no taskbar at all: the press cannot be placed.
    geometry.RemoveTaskbar();
    geometry.SetPointer(5, 5);
    strip.NotifyIconCallback(WM_LBUTTONDOWN, IdOf(1));
    EXPECT_FALSE(strip.Input().buttonDown);
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"play"});
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

TEST_F(ClassicInput, RightButtonPressesNothing) {
    Play(Playing);
    At(WM_RBUTTONDOWN, SliderX(3), SliderRowY());
    At(WM_RBUTTONUP, SliderX(3), SliderRowY());
    At(WM_RBUTTONDOWN, CentreOf(TrayButton::Next), ButtonRowY());
    At(WM_RBUTTONUP, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_FALSE(strip.Input().dragging);
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
    EXPECT_TRUE(strip.hooks.empty());
}

TEST_F(ClassicInput, SliderClickMovesTheCursorAtOnceAndAppliesAtRelease) {
    Play(Playing, 0.0);
    At(WM_LBUTTONDOWN, SliderX(12), SliderRowY());
    EXPECT_EQ(strip.Input().sliderPos, 12) << "moved at the press";
    EXPECT_TRUE(strip.positions.empty());
    At(WM_LBUTTONUP, SliderX(12), SliderRowY());
    EXPECT_EQ(strip.positions, std::vector<double>{12 / 24.0});
    EXPECT_FALSE(strip.Input().dragging);
    // While stopped the slider row is pressed like a button and does nothing.
    Play(Stopped);
    strip.hooks.clear();
    Click(SliderX(5), SliderRowY());
    EXPECT_TRUE(strip.hooks.empty());
}

TEST_F(ClassicInput, SeekAndVolumeDragsFollowThePointerLive) {
    for (bool volume : {false, true}) {
        strip.SetSliderMode(volume);
        Play(Playing, 0.0);
        strip.positions.clear();
        At(WM_LBUTTONDOWN, SliderX(2), SliderRowY());
        At(WM_MOUSEMOVE, SliderX(3), SliderRowY());
        At(WM_MOUSEMOVE, SliderX(15), SliderRowY());
        At(WM_MOUSEMOVE, CentreOf(TrayButton::Next), ButtonRowY()); // off the slider: the drag waits
        EXPECT_TRUE(strip.Input().dragging);
        EXPECT_EQ(strip.Input().sliderPos, 15);
        At(WM_MOUSEMOVE, 31, SliderRowY()); // right end of the strip
        At(WM_LBUTTONUP, SliderX(24), SliderRowY());
        EXPECT_EQ(strip.positions, (std::vector<double>{3 / 24.0, 15 / 24.0, 1.0, 1.0})) << "volume " << volume;
    }
}

TEST_F(ClassicInput, DragReleasedOffTheSliderOrOutsideItsBoundsAppliesNothing) {
    Play(Playing, 0.0);
    At(WM_LBUTTONDOWN, SliderX(4), SliderRowY());
    At(WM_LBUTTONUP, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_TRUE(strip.positions.empty());
    EXPECT_TRUE(strip.hooks.empty()) << "ending a drag over a button does not press it";

    // A release in another cell of the toolbar lies beyond the strip's area.
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
        if (!ReportedVersionIs(6, 1)) GTEST_SKIP() << "runs as Windows 6.1 only";
        TrayInput::SetUp();
    }
};

TEST_F(Win7Input, HoverLightsElementsTheSliderIncluded) {
    At(WM_MOUSEMOVE, SliderX(8), SliderRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Slider);
    At(WM_MOUSEMOVE, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::Next);
    geometry.SetPointer(toolbar.left - 30, toolbar.top);
    strip.TimerTick();
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None) << "the pointer has left the tray";
    EXPECT_TRUE(strip.hooks.empty());
}

TEST_F(Win7Input, RightDragSeeksOnceAtReleaseAndOpensNoMenu) {
    Play(Playing, 0.0);
    At(WM_RBUTTONDOWN, SliderX(4), SliderRowY());
    EXPECT_TRUE(strip.Input().dragging);
    EXPECT_FALSE(strip.Input().buttonDown);
    for (int step = 5; step <= 9; ++step) At(WM_MOUSEMOVE, SliderX(step), SliderRowY());
    EXPECT_TRUE(strip.positions.empty()) << "seeking waits for the release";
    EXPECT_EQ(strip.Input().sliderPos, 9) << "but the cursor follows";
    At(WM_RBUTTONUP, SliderX(9), SliderRowY());
    At(WM_CONTEXTMENU, SliderX(9), SliderRowY());
    EXPECT_EQ(strip.positions, std::vector<double>{9 / 24.0});
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"slider"}) << "no menu after a real drag";
}

// A right double click on the slider starts a drag with its second press, as a right press does.
TEST_F(Win7Input, ARightDoubleClickOnTheSliderDragsWithItsSecondPress) {
    Play(Playing, 0.0);
    At(WM_RBUTTONDOWN, SliderX(3), SliderRowY());
    At(WM_RBUTTONUP, SliderX(3), SliderRowY());
    At(WM_RBUTTONDBLCLK, SliderX(3), SliderRowY());
    EXPECT_TRUE(strip.Input().dragging);
    At(WM_MOUSEMOVE, SliderX(10), SliderRowY());
    At(WM_RBUTTONUP, SliderX(10), SliderRowY());
    EXPECT_EQ(strip.positions, std::vector<double>{10 / 24.0});
}

TEST_F(Win7Input, RightClickOnTheSliderAppliesNothingAndOpensTheMenu) {
    Play(Playing, 10.5 / 24);
    At(WM_RBUTTONDOWN, SliderX(10), SliderRowY());
    At(WM_MOUSEMOVE, SliderX(11), SliderRowY()); // one step is no drag yet
    At(WM_RBUTTONUP, SliderX(11), SliderRowY());
    At(WM_CONTEXTMENU, SliderX(11), SliderRowY());
    EXPECT_EQ(strip.hooks, std::vector<std::string>{"right"});
    // Nor does the right button press anything but the slider.
    strip.hooks.clear();
    At(WM_RBUTTONDOWN, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_EQ(strip.Input().hotButton, TrayButton::None);
    At(WM_RBUTTONUP, CentreOf(TrayButton::Next), ButtonRowY());
    EXPECT_TRUE(strip.hooks.empty());
}

TEST_F(Win7Input, RightDragOfTheVolumeIsLiveOnceItHasMoved) {
    strip.SetSliderMode(true);
    Play(Playing, 4.5 / 24);
    At(WM_RBUTTONDOWN, SliderX(4), SliderRowY());
    At(WM_MOUSEMOVE, SliderX(5), SliderRowY());
    EXPECT_TRUE(strip.positions.empty());
    At(WM_MOUSEMOVE, SliderX(6), SliderRowY());
    At(WM_MOUSEMOVE, SliderX(5), SliderRowY()); // moved: every step counts now
    At(WM_RBUTTONUP, SliderX(5), SliderRowY());
    EXPECT_EQ(strip.positions, (std::vector<double>{6 / 24.0, 5 / 24.0, 5 / 24.0}));
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
