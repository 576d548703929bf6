#pragma once
// Watches a module's Shell_NotifyIconW calls at its import boundary. Either the calls go on
// to the real shell, or a stand-in tray answers them (it knows which icons it holds and can
// "lose" them, as when Explorer restarts).
#include "tests/support/iat_hook.h"

#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct ShellCall {
    DWORD message = 0;
    UINT id = 0;
    UINT flags = 0;
    DWORD size = 0;
    HWND window = nullptr;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::wstring tip;
    std::wstring info;
    std::wstring infoTitle;
    UINT timeoutOrVersion = 0;
    DWORD infoFlags = 0;
    DWORD state = 0;
    DWORD stateMask = 0;
    GUID guid = {};
    BOOL result = FALSE;
};

class ShellTray {
public:
    enum class Mode { StandIn, RealShell };
    explicit ShellTray(HMODULE module = GetModuleHandleW(nullptr), Mode mode = Mode::StandIn);
    ~ShellTray();
    ShellTray(const ShellTray&) = delete;
    ShellTray& operator=(const ShellTray&) = delete;

    bool Installed() const { return m_hook.Installed(); }
    const std::vector<ShellCall>& Calls() const { return m_calls; }
    std::vector<ShellCall> CallsOf(DWORD message) const;
    void Clear() { m_calls.clear(); }
    // The stand-in tray forgets its icons, so the next modify fails.
    void LoseIcons() { m_held.clear(); }
    bool Holds(UINT id) const { return m_held.count(id) != 0; }
    // Runs `delivery` inside the next call, as the shell delivers its tray messages (clicks)
    // while the caller waits in Shell_NotifyIconW.
    void DeliverDuringNextCall(std::function<void()> delivery) { m_delivery = std::move(delivery); }

private:
    static BOOL WINAPI Hook(DWORD message, PNOTIFYICONDATAW data);
    BOOL Answer(DWORD message, PNOTIFYICONDATAW data);

    static ShellTray* s_active;
    Mode m_mode;
    IatHook m_hook;
    std::vector<ShellCall> m_calls;
    std::set<UINT> m_held;
    std::function<void()> m_delivery;
};
