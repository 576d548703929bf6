#pragma once
// Plays the user of the next modal popup menu of this thread. A thread timer fires inside
// the menu's own modal loop; once a menu window is up it types keys into the menu as the
// keyboard would (posted WM_CHAR, which the loop reads like typed characters: mnemonics,
// and '\r' for the highlighted item), or dismisses the menu with EndMenu. A menu still open
// after the time limit is ended, so a test never hangs on it.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class PopupMenuDriver {
public:
    // Types `keys` once the menu shows, e.g. L"lf" for the item "&File" in the submenu "&Load".
    static PopupMenuDriver Typing(std::wstring keys);
    // Closes the menu without a choice.
    static PopupMenuDriver Dismissing();

    ~PopupMenuDriver();
    PopupMenuDriver(PopupMenuDriver&& other) noexcept; // the moved-from driver is spent
    PopupMenuDriver(const PopupMenuDriver&) = delete;
    PopupMenuDriver& operator=(const PopupMenuDriver&) = delete;
    PopupMenuDriver& operator=(PopupMenuDriver&&) = delete;

    // Called once with the menu window while the menu is up, before any key is typed.
    void WhileOpen(std::function<void(HWND)> look) { m_state->whileOpen = std::move(look); }

    // Whether a menu window was seen, and whether it had to be ended after the time limit.
    bool MenuShown() const { return m_state->menuWindow != nullptr; }
    bool TimedOut() const { return m_state->timedOut; }

    struct State {
        std::wstring keys;
        bool dismiss = false;
        HWND menuWindow = nullptr;
        bool acted = false;
        bool timedOut = false;
        DWORD started = 0;
        std::function<void(HWND)> whileOpen;
    };

private:
    explicit PopupMenuDriver(std::wstring keys, bool dismiss);
    std::unique_ptr<State> m_state;
    UINT_PTR m_timer = 0;
};

// The visible popup menu window of this thread ("#32768"), or null.
HWND VisiblePopupMenuWindow();
