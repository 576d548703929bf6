// The controller's hidden message window under Wine: creation, subclassing, the 200 ms
// timer, and which messages it consumes and which reach the window's previous procedure.
// The test registers its own "#32770" class in its module (which is the component's
// module here), so that the previous procedure is one the test can watch.
#include "host/call_stack.h"
#include "controller/Trelvane.h"
#include "resources/resource.h"
#include "settings/config_vars.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/taskbar_theme_value.h"
#include "tests/support/windows_version.h"
#include "tests/support/registry_write.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr LRESULT kOldProcResult = 0x5A5A;

struct ReachedOldProc {
    UINT message;
    WPARAM wParam;
    std::vector<std::string> scopes; // innermost first
};
std::vector<ReachedOldProc> reachedOldProc;

LRESULT CALLBACK WatchedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message >= WM_USER || message == WM_MEASUREITEM || message == WM_DRAWITEM ||
        message == WM_POWERBROADCAST || message == WM_SETTINGCHANGE) {
        ReachedOldProc r{message, wParam, {}};
        std::vector<std::string> open = fb2k_host::OpenScopes();
        r.scopes.assign(open.rbegin(), open.rend());
        reachedOldProc.push_back(r);
        return kOldProcResult;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Reached(UINT message, WPARAM wParam) {
    for (const ReachedOldProc& r : reachedOldProc)
        if (r.message == message && r.wParam == wParam) return true;
    return false;
}

class RegistrySwitch {
public:
    RegistrySwitch(const wchar_t* name, DWORD value) : m_name(name) {
        WriteRegistryValue(HKEY_CURRENT_USER, L"Software\\Morvalen\\Trelvane", name, REG_DWORD, &value, sizeof(value));
    }
    ~RegistrySwitch() { RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Morvalen\\Trelvane", m_name); }

private:
    const wchar_t* m_name;
};

class MessageWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &WatchedDialogProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"#32770";
        ASSERT_NE(RegisterClassExW(&wc), 0) << GetLastError();
        standIn = new InProcessHost();
        Trelvane::Instance().onInit();
    }
    void SetUp() override {
        reachedOldProc.clear();
        standIn->playback().ResetCallCounts();
        cfg::PauseOnScreenSaver = false;
    }
    void TearDown() override {
        standIn->playback().Stop();
        cfg::PauseOnScreenSaver = false;
    }
    static HWND window() { return Trelvane::Instance().MessageWindow(); }
    static fb2k_host::PlaybackEngine& playback() { return standIn->playback(); }
    static LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(window(), message, wParam, lParam);
    }

    static InProcessHost* standIn; // kept for the whole process, like the controller
};
InProcessHost* MessageWindowTest::standIn = nullptr;

TEST_F(MessageWindowTest, IsAHiddenTopLevelDialogClassWindowRunByTheController) {
    HWND found = FindWindowW(L"#32770", L"TrelvaneMessageWindow");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, window());
    EXPECT_FALSE(IsWindowVisible(found));
    EXPECT_EQ(GetAncestor(found, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(found, GWLP_WNDPROC)), &Trelvane::WndProc);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(found, GWLP_HINSTANCE)), GetModuleHandleW(nullptr));
}

TEST_F(MessageWindowTest, SliderTimerTicksFiveTimesASecondWhilePlaying) {
    playback().SetPlaylist({FileTrack(300)});
    playback().Play();
    playback().ResetCallCounts();
    fb2k_host::PumpMessagesFor(1100); // not a resource id: milliseconds
    // Each tick asks the player once whether it plays; a loaded machine may drop a tick or two.
    int ticks = playback().CallCount("is_playing");
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 8);
    EXPECT_EQ(playback().LastCallScope("is_playing"), "Player::Playing()");
    EXPECT_FALSE(Reached(WM_TIMER, Trelvane::kSliderTimer)) << "the controller's own ticks are consumed";
}

TEST_F(MessageWindowTest, MeasureItemSizesOnlyTheTitleBand) {
    MEASUREITEMSTRUCT band = {};
    band.CtlType = ODT_MENU;
    band.itemID = ID_TRAY_TITLE_BAND;
    band.itemWidth = 77;
    band.itemHeight = 20;
    EXPECT_EQ(Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&band)), TRUE);
    EXPECT_EQ(band.itemWidth, 5u);
    EXPECT_EQ(band.itemHeight, 20u) << "the height stays as the system proposes";

    MEASUREITEMSTRUCT other = band;
    other.itemID = ID_TRAY_BACK;
    other.itemWidth = 77;
    EXPECT_EQ(Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&other)), TRUE);
    EXPECT_EQ(other.itemWidth, 77u);
    EXPECT_EQ(other.itemHeight, 20u);
    EXPECT_TRUE(reachedOldProc.empty());
}

TEST_F(MessageWindowTest, UnknownTimerRunsTheScreenSaverPollThenReachesTheOldProcedure) {
    cfg::PauseOnScreenSaver = true;
    playback().SetPlaylist({FileTrack(300)});
    playback().Play();
    playback().Pause(true); // paused by the user: the poll must not run a command
    playback().ResetCallCounts();

    EXPECT_EQ(Send(WM_TIMER, 4242), kOldProcResult);
    EXPECT_GT(playback().CallCount("is_playing"), 0) << "the poll asked the player before the timer id was looked at";
    ASSERT_TRUE(Reached(WM_TIMER, 4242));
    const ReachedOldProc& r = reachedOldProc.back();
    ASSERT_GE(r.scopes.size(), 2u);
    EXPECT_EQ(r.scopes[0], "Trelvane::WndProc-WM_TIMER");
    EXPECT_EQ(r.scopes[1], "Trelvane::WndProc(HWND, UINT, WPARAM, LPARAM)");
}

TEST_F(MessageWindowTest, TimerPollDoesNothingWhileTheSettingIsOff) {
    playback().SetPlaylist({FileTrack(300)});
    playback().Play();
    playback().ResetCallCounts();
    EXPECT_EQ(Send(WM_TIMER, 4242), kOldProcResult);
    EXPECT_EQ(playback().CallCount("is_playing"), 0);
}

TEST_F(MessageWindowTest, ControllerTimersAreConsumedAndTheBalloonTimerStopsItself) {
    EXPECT_EQ(Send(WM_TIMER, Trelvane::kSliderTimer), 0);
    SetTimer(window(), Trelvane::kBalloonTimer, 60000, nullptr);
    EXPECT_EQ(Send(WM_TIMER, Trelvane::kBalloonTimer), 0);
    EXPECT_FALSE(KillTimer(window(), Trelvane::kBalloonTimer)) << "the balloon timer was already killed";
    EXPECT_TRUE(reachedOldProc.empty());
}

TEST_F(MessageWindowTest, SuspensionIsRefusedOnlyWhilePlayingWithTheSwitchSet) {
    EXPECT_EQ(Send(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), TRUE) << "no switch";
    RegistrySwitch preventSleep(L"PreventSleep", 1);
    EXPECT_EQ(Send(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), TRUE) << "stopped";
    playback().SetPlaylist({FileTrack(300)});
    playback().Play();
    EXPECT_EQ(Send(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), BROADCAST_QUERY_DENY) << "playing";
    EXPECT_EQ(Send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND), TRUE);
    EXPECT_TRUE(reachedOldProc.empty()) << "power broadcasts are never passed on";
}

TEST_F(MessageWindowTest, TrayCallbackIsConsumedOtherMessagesReachTheOldProcedure) {
    EXPECT_EQ(Send(NotifyIcons::kCallbackMessage, NotifyIcons::kIconId[0], WM_MOUSEMOVE), 0);
    EXPECT_FALSE(Reached(NotifyIcons::kCallbackMessage, NotifyIcons::kIconId[0]));

    EXPECT_EQ(Send(WM_USER + 500, 7), kOldProcResult);
    ASSERT_TRUE(Reached(WM_USER + 500, 7));
    EXPECT_EQ(reachedOldProc.back().scopes.at(0), "Trelvane::WndProc(HWND, UINT, WPARAM, LPARAM)");
}

TEST_F(MessageWindowTest, TaskbarRestartIsPassedOnAfterTheIconsAreAddedAgain) {
    UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    EXPECT_EQ(Send(taskbarCreated, 0, 0), kOldProcResult);
    EXPECT_TRUE(Reached(taskbarCreated, 0));
}

// A dark taskbar needs Windows 10: Wine's "win10", reported as 10.0 to this executable (it
// carries the player's manifest).
TEST(MessageWindowThemes, RunAsWindows10) {
    ChildResult child = RunTestsAsWindowsVersion(L"win10", "MessageWindowTest.TheTheme*");
    EXPECT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "failed in the Windows 10 child (report above)";
}

TEST_F(MessageWindowTest, TheThemeNoticeRedrawsTheStripOnceAndEveryNoticeIsPassedOn) {
    REQUIRE_WINDOWS_VERSION(10, 0);
    const LPARAM themeNotice = reinterpret_cast<LPARAM>(L"ImmersiveColorSet");
    TaskbarThemeValue theme;
    theme.Light();
    Send(WM_SETTINGCHANGE, 0, themeNotice);
    ASSERT_FALSE(Trelvane::Instance().ImageSet().Dark());
    ShellTray shell(GetModuleHandleW(nullptr), ShellTray::Mode::RealShell);
    ASSERT_TRUE(shell.Installed());

    theme.Dark();
    EXPECT_EQ(Send(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment")), kOldProcResult);
    EXPECT_EQ(Send(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0), kOldProcResult);
    EXPECT_FALSE(Trelvane::Instance().ImageSet().Dark()) << "other notices change nothing";
    EXPECT_TRUE(ShellGot(shell, "nothing sent for other notices", {}));
    const bool reversed = Trelvane::Instance().Profile().addReversed;

    EXPECT_EQ(Send(WM_SETTINGCHANGE, 0, themeNotice), kOldProcResult) << "turned dark";
    EXPECT_TRUE(Trelvane::Instance().ImageSet().Dark()) << "turned dark";
    EXPECT_TRUE(ShellGot(shell, "both icons redrawn once for the dark theme", BothModified(reversed)));
    ASSERT_TRUE(Reached(WM_SETTINGCHANGE, 0));
    EXPECT_EQ(reachedOldProc.back().scopes.at(0), "Trelvane::WndProc-WM_SETTINGCHANGE");

    shell.Clear();
    EXPECT_EQ(Send(WM_SETTINGCHANGE, 0, themeNotice), kOldProcResult) << "still dark";
    EXPECT_TRUE(ShellGot(shell, "nothing sent: the theme did not change again", {}));

    theme.Light();
    EXPECT_EQ(Send(WM_SETTINGCHANGE, 0, themeNotice), kOldProcResult) << "turned light";
    EXPECT_FALSE(Trelvane::Instance().ImageSet().Dark()) << "turned light";
    EXPECT_TRUE(ShellGot(shell, "both icons redrawn once for the light theme", BothModified(reversed)));
}

} // namespace
