#pragma once
// Whether the taskbar is dark, which picks the strip's built-in image set.
#include <windows.h>

namespace TaskbarTheme {

// The registry key and value Windows 10 and later keep the taskbar's theme in (under
// HKEY_CURRENT_USER): 0 means dark, anything else light.
constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kValue = L"SystemUsesLightTheme";
// The lParam text of the WM_SETTINGCHANGE broadcast that follows a change of it.
constexpr const wchar_t* kChangeNotice = L"ImmersiveColorSet";

// True only on Windows 10 and later (major version 10 up) with SystemUsesLightTheme a DWORD
// equal to 0. A missing key or value, any other type or size, and earlier systems all count
// as light, the look of the artwork from before dark taskbars.
bool IsDark();

// Whether a WM_SETTINGCHANGE lParam announces a change of the theme.
bool IsChangeNotice(LPARAM lParam);

} // namespace TaskbarTheme
