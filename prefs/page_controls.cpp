#include "prefs/page_controls.h"
#include <vector>

namespace PageControls {

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetTicked(HWND dialog, int id, bool ticked) { CheckDlgButton(dialog, id, ticked ? BST_CHECKED : BST_UNCHECKED); }

std::wstring Text(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(control);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(control, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void SetText(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

int Selection(HWND dialog, int id) {
    LRESULT position = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? -1 : static_cast<int>(position);
}

void Select(HWND dialog, int id, int position) { SendDlgItemMessageW(dialog, id, CB_SETCURSEL, position, 0); }

LONG_PTR SelectedData(HWND dialog, int id) {
    int position = Selection(dialog, id);
    if (position < 0) return -1;
    return static_cast<LONG_PTR>(SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, position, 0));
}

std::wstring EntryText(HWND dialog, int id, int position) {
    LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, position, 0);
    if (length == CB_ERR || length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    LRESULT copied = SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(buffer.data()));
    return copied == CB_ERR ? std::wstring() : std::wstring(buffer.data(), static_cast<size_t>(copied));
}

int EntryCount(HWND dialog, int id) {
    LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

void SetDroppedHeight(HWND dialog, int id, int pixels) {
    HWND control = GetDlgItem(dialog, id);
    RECT rect;
    GetWindowRect(control, &rect);
    SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace PageControls
