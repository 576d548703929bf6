// The controller's start-up as the live registry switches shape it. The controller exists
// once per process, so each case starts in a child process of its own.
#include "controller/Trelvane.h"
#include "tests/support/child_process.h"
#include "tests/support/in_process_host.h"
#include "tests/support/registry_write.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* const kLiveKey = L"Software\\Morvalen\\Trelvane";

void SetSwitch(const wchar_t* name, DWORD value) {
    WriteRegistryValue(HKEY_CURRENT_USER, kLiveKey, name, REG_DWORD, &value, sizeof(value));
}

void ClearSwitches() { RegDeleteKeyW(HKEY_CURRENT_USER, kLiveKey); }

// Bit 0: the quit item is in the menu. Bit 1: the keep-awake timer was running.
// Bit 2: the slider timer was running. Bit 3: the menu was loaded.
int StartAndDescribe() {
    InProcessHost standIn;
    Trelvane& controller = Trelvane::Instance();
    controller.onInit();
    int description = 0;
    HMENU menu = controller.TrayMenu();
    if (menu) description |= 8;
    if (menu && GetMenuState(menu, Trelvane::kQuitItem, MF_BYCOMMAND) != static_cast<UINT>(-1)) description |= 1;
    // KillTimer tells whether the timer existed.
    if (KillTimer(controller.MessageWindow(), Trelvane::kKeepAwakeTimer)) description |= 2;
    if (KillTimer(controller.MessageWindow(), Trelvane::kSliderTimer)) description |= 4;
    return description;
}

CHILD_PROCESS_BODY(start_and_describe) { return StartAndDescribe(); }

unsigned long StartWith(const std::function<void()>& prepare) {
    ClearSwitches();
    prepare();
    ChildResult child = RunChild("start_and_describe");
    ClearSwitches();
    EXPECT_TRUE(child.finished);
    return child.exitCode;
}

TEST(ControllerStartup, WithoutTheLiveKeyTheQuitItemStaysAndOnlyTheSliderTimerRuns) {
    EXPECT_EQ(StartWith([] {}), 8u | 4u | 1u);
}

TEST(ControllerStartup, ShowExitMenuItemZeroRemovesTheQuitItemAnyOtherValueKeepsIt) {
    EXPECT_EQ(StartWith([] { SetSwitch(L"ShowExitMenuItem", 0); }) & 1u, 0u);
    EXPECT_EQ(StartWith([] { SetSwitch(L"ShowExitMenuItem", 2); }) & 1u, 1u);
}

TEST(ControllerStartup, PreventSleepAtStartUpStartsTheKeepAwakeTimer) {
    EXPECT_EQ(StartWith([] { SetSwitch(L"PreventSleep", 1); }) & 2u, 2u);
    EXPECT_EQ(StartWith([] { SetSwitch(L"PreventSleep", 0); }) & 2u, 0u);
}

} // namespace
