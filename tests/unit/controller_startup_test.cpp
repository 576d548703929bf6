// The controller's start-up as the live registry switches shape it. The controller exists
// once per process, so each case starts in a child process of its own.
#include "controller/Trelvane.h"
#include "tests/support/child_process.h"
#include "tests/support/in_process_host.h"
#include "tests/support/registry_write.h"

#include <string>

#include <gtest/gtest.h>

namespace {

const wchar_t* const kLiveKey = L"Software\\Morvalen\\Trelvane";

void SetSwitch(const wchar_t* name, DWORD value) {
    WriteRegistryValue(HKEY_CURRENT_USER, kLiveKey, name, REG_DWORD, &value, sizeof(value));
}

void ClearSwitches() { RegDeleteKeyW(HKEY_CURRENT_USER, kLiveKey); }

// What the controller set up, one line per fact, in the child's report.
int StartAndDescribe() {
    InProcessHost standIn;
    Trelvane& controller = Trelvane::Instance();
    controller.onInit();
    HMENU menu = controller.TrayMenu();
    ChildReport(menu ? "menu: loaded" : "menu: not loaded");
    const bool quitItem = menu && GetMenuState(menu, Trelvane::kQuitItem, MF_BYCOMMAND) != static_cast<UINT>(-1);
    ChildReport(quitItem ? "quit item: in the menu" : "quit item: not in the menu");
    // KillTimer tells whether the timer existed.
    const bool keepAwake = KillTimer(controller.MessageWindow(), Trelvane::kKeepAwakeTimer);
    ChildReport(keepAwake ? "keep-awake timer: running" : "keep-awake timer: not running");
    const bool slider = KillTimer(controller.MessageWindow(), Trelvane::kSliderTimer);
    ChildReport(slider ? "slider timer: running" : "slider timer: not running");
    return 0;
}

CHILD_PROCESS_BODY(start_and_describe) { return StartAndDescribe(); }

std::string StartWith(const std::function<void()>& prepare) {
    ClearSwitches();
    prepare();
    ChildResult child = RunChild("start_and_describe");
    ClearSwitches();
    EXPECT_TRUE(child.finished);
    return child.report;
}

// Whether a start-up's report holds a line.
::testing::AssertionResult Says(const std::string& report, const std::string& line) {
    if (report.find(line + "\n") != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "want \"" << line << "\" in:\n" << report;
}

TEST(ControllerStartup, WithoutTheLiveKeyTheQuitItemStaysAndOnlyTheSliderTimerRuns) {
    EXPECT_EQ(StartWith([] {}), "menu: loaded\n"
                                "quit item: in the menu\n"
                                "keep-awake timer: not running\n"
                                "slider timer: running\n");
}

TEST(ControllerStartup, ShowExitMenuItemZeroRemovesTheQuitItemAnyOtherValueKeepsIt) {
    EXPECT_TRUE(Says(StartWith([] { SetSwitch(L"ShowExitMenuItem", 0); }), "quit item: not in the menu"));
    EXPECT_TRUE(Says(StartWith([] { SetSwitch(L"ShowExitMenuItem", 2); }), "quit item: in the menu"));
}

TEST(ControllerStartup, PreventSleepAtStartUpStartsTheKeepAwakeTimer) {
    EXPECT_TRUE(Says(StartWith([] { SetSwitch(L"PreventSleep", 1); }), "keep-awake timer: running"));
    EXPECT_TRUE(Says(StartWith([] { SetSwitch(L"PreventSleep", 0); }), "keep-awake timer: not running"));
}

} // namespace
