#include "controller/power.h"

#include "base/system_handles.h"
#include "player/Player.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include "tray/standard_commands.h"

namespace {

bool screenSaverActive = false;
bool pausedByScreenSaver = false;

// The monitor device class.
const GUID kMonitorClass = {0x4D36E96E, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// The power record Windows keeps for a device (SPDRP_DEVICE_POWER_DATA).
struct DevicePowerData {
    ULONG size;
    ULONG mostRecentPowerState; // 1 = fully on (D0)
    ULONG capabilities;
    ULONG d1Latency, d2Latency, d3Latency;
    ULONG powerStateMapping[7];
    ULONG deepestSystemWake;
};
static_assert(sizeof(DevicePowerData) == 56, "CM_POWER_DATA is 56 bytes");
constexpr ULONG kPowerDeviceD0 = 1;

bool DisplayIsOff() {
    BOOL running = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) running = FALSE;
    return running || !IsMonitorOn();
}

void OnDisplayOff() {
    if (Player::Playing() && !Player::Paused()) {
        pausedByScreenSaver = true;
        RunPauseCommand();
    } else {
        pausedByScreenSaver = false;
    }
    screenSaverActive = true;
}

void OnDisplayBack() {
    if (pausedByScreenSaver && Player::Paused()) {
        // A stream cannot be unpaused where it stopped; it is restarted instead.
        if (Player::Length() <= 0) RunStopCommand();
        RunPlayCommand();
    }
    screenSaverActive = false;
}

} // namespace

bool IsMonitorOn() {
    UniqueDeviceInfoSet devices =
        OwnDeviceInfoSet(SetupDiGetClassDevsW(&kMonitorClass, nullptr, nullptr, DIGCF_PRESENT));
    if (!devices) return false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices.get(), index, &device); ++index) {
        DevicePowerData power = {};
        power.size = sizeof(power);
        if (SetupDiGetDeviceRegistryPropertyW(devices.get(), &device, SPDRP_DEVICE_POWER_DATA, nullptr,
                                              reinterpret_cast<BYTE*>(&power), sizeof(power), nullptr) &&
            power.mostRecentPowerState == kPowerDeviceD0)
            return true;
    }
    return false;
}

void ScreenSaverPoll() {
    if (!cfg::PauseOnScreenSaver) return;
    bool off = DisplayIsOff();
    if (off && !screenSaverActive) OnDisplayOff();
    else if (!off && screenSaverActive) OnDisplayBack();
}

void KeepAwakeStep() {
    OutputDebugStringW(L"PreventSleep");
    SetThreadExecutionState(Player::Playing() ? (ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED)
                                              : ES_CONTINUOUS);
}

LRESULT PowerBroadcastAnswer(WPARAM event) {
    if (event == PBT_APMQUERYSUSPEND && Player::Playing() && SwitchOn(RegistrySwitch::PreventSleep))
        return BROADCAST_QUERY_DENY;
    return TRUE;
}
