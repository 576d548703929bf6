// Pause on screen saver, keep-awake and the answer to suspension, with the screen saver,
// the monitors' power state and the execution state steered at the import boundary.
#include "controller/power.h"
#include "settings/config_vars.h"
#include "tests/support/iat_hook.h"
#include "tests/support/in_process_host.h"

#include <gtest/gtest.h>
#include <setupapi.h>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<std::string>;

// The fake machine: whether the screen saver runs, the power state of each monitor
// (1 is fully on), and what was asked of it.
struct FakeMachine {
    BOOL screenSaverRunning = FALSE;
    std::vector<ULONG> monitorPowerStates = {1};
    int monitorEnumerations = 0;
    int openDeviceSets = 0;
    std::vector<EXECUTION_STATE> executionStates;
    std::vector<std::wstring> debugOutput;
};
FakeMachine machine;

const HDEVINFO kFakeSet = reinterpret_cast<HDEVINFO>(0x5E7);

BOOL WINAPI FakeSystemParametersInfoW(UINT action, UINT, PVOID value, UINT) {
    if (action != SPI_GETSCREENSAVERRUNNING) return FALSE;
    *static_cast<BOOL*>(value) = machine.screenSaverRunning;
    return TRUE;
}

HDEVINFO WINAPI FakeSetupDiGetClassDevsW(const GUID*, PCWSTR, HWND, DWORD) {
    ++machine.monitorEnumerations;
    ++machine.openDeviceSets;
    return kFakeSet;
}

BOOL WINAPI FakeSetupDiEnumDeviceInfo(HDEVINFO, DWORD index, PSP_DEVINFO_DATA data) {
    if (index >= machine.monitorPowerStates.size() || data->cbSize != sizeof(SP_DEVINFO_DATA)) return FALSE;
    data->DevInst = index;
    return TRUE;
}

BOOL WINAPI FakeSetupDiGetDeviceRegistryPropertyW(HDEVINFO, PSP_DEVINFO_DATA data, DWORD property, PDWORD, PBYTE buffer,
                                                  DWORD size, PDWORD) {
    if (property != SPDRP_DEVICE_POWER_DATA || size < 56) return FALSE;
    reinterpret_cast<ULONG*>(buffer)[1] = machine.monitorPowerStates[data->DevInst];
    return TRUE;
}

BOOL WINAPI FakeSetupDiDestroyDeviceInfoList(HDEVINFO) {
    --machine.openDeviceSets;
    return TRUE;
}

EXECUTION_STATE WINAPI FakeSetThreadExecutionState(EXECUTION_STATE state) {
    machine.executionStates.push_back(state);
    return ES_CONTINUOUS;
}

void WINAPI FakeOutputDebugStringW(LPCWSTR text) { machine.debugOutput.push_back(text ? text : L""); }

#define HOOK(DLL, NAME)                                                                                                \
    IatHook NAME##Hook { GetModuleHandleW(nullptr), DLL, #NAME, reinterpret_cast<void*>(&Fake##NAME) }

class PowerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SystemParametersInfoWHook.Installed());
        ASSERT_TRUE(SetupDiGetClassDevsWHook.Installed());
        machine = FakeMachine();
        cfg::PauseOnScreenSaver = true;
        // Start every test with the display counted as on.
        ScreenSaverPoll();
        standIn.host.Commands().Clear();
        machine.monitorEnumerations = 0;
    }
    void TearDown() override { cfg::PauseOnScreenSaver = false; }
    void Play(const fb2k_host::TrackInfo& track) {
        standIn.playback().SetPlaylist({track});
        standIn.playback().Play();
    }
    const Commands& executed() { return standIn.host.Commands().Executed(); }
    fb2k_host::PlaybackEngine& playback() { return standIn.playback(); }

    InProcessHost standIn;
    HOOK("user32.dll", SystemParametersInfoW);
    HOOK("setupapi.dll", SetupDiGetClassDevsW);
    HOOK("setupapi.dll", SetupDiEnumDeviceInfo);
    HOOK("setupapi.dll", SetupDiGetDeviceRegistryPropertyW);
    HOOK("setupapi.dll", SetupDiDestroyDeviceInfoList);
    HOOK("kernel32.dll", SetThreadExecutionState);
    HOOK("kernel32.dll", OutputDebugStringW);
};

TEST_F(PowerTest, ScreenSaverPausesPlaybackAndItsEndResumesIt) {
    Play(FileTrack(300));
    machine.screenSaverRunning = TRUE;
    ScreenSaverPoll();
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause"})) << "one pause, however long the screen saver runs";
    EXPECT_EQ(machine.monitorEnumerations, 0) << "monitors are asked only when no screen saver runs";
    machine.screenSaverRunning = FALSE;
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause", "Play"})) << "the screen saver ended";
    EXPECT_TRUE(playback().IsPlaying());
    EXPECT_FALSE(playback().IsPaused());
}

TEST_F(PowerTest, PlaybackPausedByTheUserStaysPaused) {
    Play(FileTrack(300));
    playback().Pause(true);
    machine.screenSaverRunning = TRUE;
    ScreenSaverPoll();
    machine.screenSaverRunning = FALSE;
    ScreenSaverPoll();
    EXPECT_TRUE(executed().empty());
    EXPECT_TRUE(playback().IsPaused());
}

TEST_F(PowerTest, AStreamIsRestartedInsteadOfUnpaused) {
    Play(StreamTrack());
    machine.screenSaverRunning = TRUE;
    ScreenSaverPoll();
    machine.screenSaverRunning = FALSE;
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause", "Stop", "Play"}));
}

TEST_F(PowerTest, NothingIsRunWhenTheUserResumedMeanwhile) {
    Play(FileTrack(300));
    machine.screenSaverRunning = TRUE;
    ScreenSaverPoll();
    playback().Pause(false);
    machine.screenSaverRunning = FALSE;
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause"}));
}

TEST_F(PowerTest, MonitorsAllOutOfFullPowerCountAsARunningScreenSaver) {
    Play(FileTrack(300));
    machine.monitorPowerStates = {4, 2};
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause"})) << "monitors in states 4 and 2";
    machine.monitorPowerStates = {4, 1};
    ScreenSaverPoll();
    EXPECT_EQ(executed(), (Commands{"Pause", "Play"})) << "monitors in states 4 and 1";
    EXPECT_EQ(machine.openDeviceSets, 0) << "every device set is destroyed again";
}

TEST_F(PowerTest, NoMonitorAtAllCountsAsTheDisplayOff) {
    machine.monitorPowerStates.clear();
    EXPECT_FALSE(IsMonitorOn()) << "no monitor";
    machine.monitorPowerStates = {1};
    EXPECT_TRUE(IsMonitorOn()) << "one monitor at full power";
}

TEST_F(PowerTest, SwitchedOffThePollAsksNothingAndRunsNothing) {
    cfg::PauseOnScreenSaver = false;
    Play(FileTrack(300));
    machine.screenSaverRunning = TRUE;
    playback().ResetCallCounts();
    ScreenSaverPoll();
    EXPECT_TRUE(executed().empty());
    EXPECT_EQ(machine.monitorEnumerations, 0);
    EXPECT_EQ(playback().CallCount("is_playing"), 0);
}

TEST_F(PowerTest, KeepAwakeRequiresSystemAndDisplayWhilePlayingOrPausedAndClearsWhenStopped) {
    Play(FileTrack(300));
    KeepAwakeStep();
    playback().Pause(true);
    KeepAwakeStep();
    playback().Stop();
    KeepAwakeStep();
    EXPECT_EQ(machine.executionStates, (std::vector<EXECUTION_STATE>{0x80000003, 0x80000003, 0x80000000}));
    EXPECT_EQ(machine.debugOutput, (std::vector<std::wstring>{L"PreventSleep", L"PreventSleep", L"PreventSleep"}));
}

} // namespace
