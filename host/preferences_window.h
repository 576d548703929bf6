#pragma once
// The stand-in player's "Preferences" window: the preferences pages of the loaded components
// in a list, the chosen page's own window beside it, and Reset, Apply and OK buttons that
// follow the page's state.
#include <windows.h>

namespace fb2k_host {

class Host;

// Opens the window, or brings it forward when it is open already; returns it.
HWND ShowPreferences(Host& host);

// The window's controls, for tests.
namespace PreferencesWindow {
constexpr int kPageList = 100;
constexpr int kReset = 101;
constexpr int kApply = 102;
constexpr int kOk = 103;
const wchar_t* const kClassName = L"fb2k-host Preferences";
} // namespace PreferencesWindow

} // namespace fb2k_host
