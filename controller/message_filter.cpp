// The message filter of an elevated process: without this the shell's "TaskbarCreated" never
// reaches the message window of a player that runs as administrator, and the strip would not
// come back after Explorer restarts.
#include "controller/message_filter.h"

namespace {

constexpr DWORD kAllow = 1; // MSGFLT_ALLOW

typedef BOOL(WINAPI* ChangeFilterFunction)(HWND, UINT, DWORD, void*);

// Looked up at run time: systems before Windows 7 lack the function, and the component must
// still load there.
ChangeFilterFunction ChangeFilter() {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    if (!user) return nullptr;
    return reinterpret_cast<ChangeFilterFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")));
}

} // namespace

bool LetMessageThrough(HWND window, UINT message) {
    if (!window || message == 0) return false;
    ChangeFilterFunction change = ChangeFilter();
    if (!change) return true;
    return change(window, message, kAllow, nullptr) != FALSE;
}
