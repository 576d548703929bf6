// The stand-in notification area and the recorder of Shell_NotifyIconW calls.
#include "tests/support/shell_tray.h"

ShellTray* ShellTray::s_active = nullptr;

ShellTray::ShellTray(HMODULE module, Mode mode)
    : m_mode(mode), m_hook(module, "shell32.dll", "Shell_NotifyIconW", reinterpret_cast<void*>(&ShellTray::Hook)) {
    s_active = this;
}

ShellTray::~ShellTray() {
    if (s_active == this) s_active = nullptr;
}

std::vector<ShellCall> ShellTray::CallsOf(DWORD message) const {
    std::vector<ShellCall> found;
    for (const ShellCall& call : m_calls)
        if (call.message == message) found.push_back(call);
    return found;
}

BOOL WINAPI ShellTray::Hook(DWORD message, PNOTIFYICONDATAW data) {
    if (!s_active) return FALSE;
    if (s_active->m_delivery) {
        std::function<void()> delivery = std::move(s_active->m_delivery);
        s_active->m_delivery = nullptr;
        delivery();
    }
    ShellCall call;
    call.message = message;
    call.id = data->uID;
    call.flags = data->uFlags;
    call.size = data->cbSize;
    call.window = data->hWnd;
    call.callbackMessage = data->uCallbackMessage;
    call.icon = data->hIcon;
    call.tip.assign(data->szTip, wcsnlen(data->szTip, ARRAYSIZE(data->szTip)));
    call.info.assign(data->szInfo, wcsnlen(data->szInfo, ARRAYSIZE(data->szInfo)));
    call.infoTitle.assign(data->szInfoTitle, wcsnlen(data->szInfoTitle, ARRAYSIZE(data->szInfoTitle)));
    call.timeoutOrVersion = data->uTimeout;
    call.infoFlags = data->dwInfoFlags;
    call.state = data->dwState;
    call.stateMask = data->dwStateMask;
    call.guid = data->guidItem;
    call.result = s_active->Answer(message, data);
    s_active->m_calls.push_back(call);
    return call.result;
}

BOOL ShellTray::Answer(DWORD message, PNOTIFYICONDATAW data) {
    if (m_mode == Mode::RealShell) return OriginalOf<BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW)>(m_hook)(message, data);
    switch (message) {
    case NIM_ADD: return m_held.insert(data->uID).second;
    case NIM_MODIFY:
    case NIM_SETVERSION: return m_held.count(data->uID) != 0;
    case NIM_DELETE: return m_held.erase(data->uID) != 0;
    default: return FALSE;
    }
}
