// The live switches under Software\Morvalen\Trelvane: set by hand or by an installer, read
// when they matter, never written.
#include "settings/registry_settings.h"

namespace {

struct SwitchRow {
    RegistrySwitch which;
    const wchar_t* name;
    int byDefault; // when the key or the value is missing
};

const SwitchRow kSwitches[] = {
    {RegistrySwitch::ShowExitMenuItem, L"ShowExitMenuItem", 1},
    {RegistrySwitch::HideFoobarIcon, L"HideFoobarIcon", 0},
    {RegistrySwitch::PreventSleep, L"PreventSleep", 0},
};

} // namespace

bool SwitchOn(RegistrySwitch which) {
    for (const SwitchRow& row : kSwitches)
        if (row.which == which) return GetPlayerKeyInt(row.name, row.byDefault) != 0;
    return false;
}
