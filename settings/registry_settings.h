#pragma once
// The registry side of the settings: the older key imported once at start-up, and the
// switches under the live key that are read each time they are needed and never written.
#include <string>

extern const wchar_t* const kImportKeyPath; // Software\Morvalen\Foobar2000 Trelvane
extern const wchar_t* const kLiveKeyPath;   // Software\Morvalen\Trelvane

int GetKeyInt(const wchar_t* name, int defaultValue);
std::wstring GetKeyStr(const wchar_t* name, const std::wstring& defaultValue);
// A live switch, 0 when the key or the value is missing.
int GetPlayerKeyInt(const wchar_t* name);
// A live switch with its own default (ShowExitMenuItem defaults to 1).
int GetPlayerKeyInt(const wchar_t* name, int defaultValue);

// The live switches the component reads, each with its value name and default in one table
// (settings/registry_switches.cpp).
enum class RegistrySwitch { ShowExitMenuItem, HideFoobarIcon, PreventSleep };
// Whether the switch is on (non-zero) at this moment; read each time, never cached.
bool SwitchOn(RegistrySwitch which);

void LoadConfig();
std::wstring DEFBALLOONFORMAT();
// Replaces the "*DEFAULT*" marker in BalloonFormat by the default format of the current language.
void ReplaceDefaultBalloonFormatMarker();
