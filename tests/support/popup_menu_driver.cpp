#include "tests/support/popup_menu_driver.h"

#include <map>
#include <utility>

namespace {

constexpr UINT kTickPeriod = 30;
constexpr DWORD kTimeLimit = 5000;

// Thread timers carry no data of their own; the active drivers by timer id.
std::map<UINT_PTR, PopupMenuDriver::State*>& Active() {
    static std::map<UINT_PTR, PopupMenuDriver::State*> active;
    return active;
}

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void Act(PopupMenuDriver::State& state) {
    if (state.whileOpen) state.whileOpen(state.menuWindow);
    if (state.dismiss) {
        EndMenu();
    } else {
        for (wchar_t key : state.keys) PostMessageW(state.menuWindow, WM_CHAR, key, 0);
    }
    state.acted = true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = Active().find(id);
    if (found == Active().end()) return;
    PopupMenuDriver::State& state = *found->second;
    HWND menu = VisiblePopupMenuWindow();
    if (menu && !state.acted) {
        state.menuWindow = menu;
        Act(state);
    } else if (menu && GetTickCount() - state.started > kTimeLimit) {
        state.timedOut = true;
        EndMenu();
    }
}

} // namespace

HWND VisiblePopupMenuWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

PopupMenuDriver::PopupMenuDriver(std::wstring keys, bool dismiss) : m_state(std::make_unique<State>()) {
    m_state->keys = std::move(keys);
    m_state->dismiss = dismiss;
    m_state->started = GetTickCount();
    m_timer = SetTimer(nullptr, 0, kTickPeriod, &Tick);
    Active()[m_timer] = m_state.get();
}

PopupMenuDriver PopupMenuDriver::Typing(std::wstring keys) { return PopupMenuDriver(std::move(keys), false); }
PopupMenuDriver PopupMenuDriver::Dismissing() { return PopupMenuDriver(std::wstring(), true); }

PopupMenuDriver::PopupMenuDriver(PopupMenuDriver&& other) noexcept
    : m_state(std::move(other.m_state)), m_timer(other.m_timer) {
    other.m_timer = 0;
}

PopupMenuDriver::~PopupMenuDriver() {
    if (m_timer) {
        KillTimer(nullptr, m_timer);
        Active().erase(m_timer);
    }
}
