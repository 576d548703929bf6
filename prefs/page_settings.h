#pragma once
// The settings of the preferences page's table (settings/config_vars.h) in its controls: each
// row is shown, compared and stored the way its kind says.
#include <windows.h>

namespace PageSettings {
// Every row's stored value into its control.
void Show(HWND dialog);
// Every row's default into its control; nothing is stored.
void ShowDefaults(HWND dialog);
// Some control shows another value than its variable holds.
bool ShownDiffer(HWND dialog);
// Every control's value into its variable.
void Store(HWND dialog);
} // namespace PageSettings
