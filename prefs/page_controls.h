#pragma once
// The controls of the preferences dialog and small typed accessors for them.
#include "resources/resource.h"

#include <windows.h>
#include <string>

namespace PageControl {
// The page's lists get room for several entries when they drop down.
constexpr int kDroppedListHeight = 150;
} // namespace PageControl

namespace PageControls {
bool IsTicked(HWND dialog, int id);
void SetTicked(HWND dialog, int id, bool ticked);
// The whole text of a control, however long.
std::wstring Text(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::wstring& text);
// The selected position of a list, or -1 when nothing is selected.
int Selection(HWND dialog, int id);
void Select(HWND dialog, int id, int position);
// The item data of the selected entry, or -1 when nothing is selected.
LONG_PTR SelectedData(HWND dialog, int id);
std::wstring EntryText(HWND dialog, int id, int position);
int EntryCount(HWND dialog, int id);
// Sets the height of a drop-down list together with its list part, keeping its width.
void SetDroppedHeight(HWND dialog, int id, int pixels);
} // namespace PageControls
