#include "host/preferences_window.h"

#include "host/host_core.h"
#include "host/text.h"
#include "sdk/preferences_page.h"
#include <vector>

namespace fb2k_host {

namespace {

using namespace PreferencesWindow;

constexpr int kWidth = 840, kHeight = 580;
constexpr int kListWidth = 180, kMargin = 8, kButtonWidth = 80, kButtonHeight = 24;

// Tells the window to look at the page's state again.
class StateCallback : public preferences_page_callback {
public:
    explicit StateCallback(HWND preferences) : window(preferences) {}
    void on_state_changed() override { PostMessageW(window, WM_APP, 0, 0); }

private:
    HWND window;
};

// What the window holds while it is open: the pages and the instance of the chosen one.
struct OpenPreferences {
    std::vector<service_ptr_t<preferences_page_v3>> pages;
    service_ptr_t<preferences_page_instance> instance;
    service_ptr_t<preferences_page_callback> callback;

    // The player destroys the page's window before it lets the instance go.
    void ClosePage() {
        if (instance.is_valid() && IsWindow(instance->get_wnd())) DestroyWindow(instance->get_wnd());
        instance.release();
    }
};

OpenPreferences* StateOf(HWND window) {
    return reinterpret_cast<OpenPreferences*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, RECT r) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

void UpdateButtons(HWND window) {
    OpenPreferences* state = StateOf(window);
    t_uint32 flags = state && state->instance.is_valid() ? state->instance->get_state() : 0;
    EnableWindow(GetDlgItem(window, kApply), (flags & preferences_page_instance::changed) != 0);
    EnableWindow(GetDlgItem(window, kReset), (flags & preferences_page_instance::resettable) != 0);
}

void CreateControls(HWND window, Host& host) {
    OpenPreferences* state = StateOf(window);
    RECT client;
    GetClientRect(window, &client);
    int buttonsTop = client.bottom - kMargin - kButtonHeight;
    HWND list = Child(window, L"ListBox", L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY, kPageList,
                      {kMargin, kMargin, kMargin + kListWidth, buttonsTop - kMargin});
    int x = client.right - kMargin - 3 * kButtonWidth - 2 * kMargin;
    const std::pair<int, const wchar_t*> buttons[] = {{kReset, L"Reset"}, {kApply, L"Apply"}, {kOk, L"OK"}};
    for (const auto& button : buttons) {
        Child(window, L"Button", button.second, WS_TABSTOP | BS_PUSHBUTTON, button.first,
              {x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight});
        x += kButtonWidth + kMargin;
    }
    service_ptr_t<service_base> found;
    for (t_size index = 0; host.CreateService(found, preferences_page::class_guid, index); ++index) {
        service_ptr_t<preferences_page_v3> page;
        if (!found.cast(page)) continue;
        std::wstring name = Utf8ToWide(page->get_name());
        int position = static_cast<int>(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
        SendMessageW(list, LB_SETITEMDATA, position, static_cast<LPARAM>(state->pages.size()));
        state->pages.push_back(page);
    }
}

void OpenPage(HWND window) {
    OpenPreferences* state = StateOf(window);
    LRESULT selected = SendDlgItemMessageW(window, kPageList, LB_GETCURSEL, 0, 0);
    state->ClosePage();
    if (selected != LB_ERR) {
        size_t page = static_cast<size_t>(SendDlgItemMessageW(window, kPageList, LB_GETITEMDATA, selected, 0));
        state->instance = state->pages.at(page)->make_instance(window, state->callback);
        HWND pageWindow = state->instance.is_valid() ? state->instance->get_wnd() : nullptr;
        SetWindowPos(pageWindow, nullptr, 2 * kMargin + kListWidth, kMargin, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(pageWindow, SW_SHOW);
    }
    UpdateButtons(window);
}

void OnButton(HWND window, int id) {
    OpenPreferences* state = StateOf(window);
    if (state->instance.is_valid() && id == kReset) state->instance->reset();
    if (state->instance.is_valid() && (id == kApply || id == kOk)) state->instance->apply();
    if (id == kOk) DestroyWindow(window);
    else UpdateButtons(window);
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    int id = LOWORD(wParam);
    if (id == kPageList && HIWORD(wParam) == LBN_SELCHANGE) OpenPage(window);
    else if (id == kReset || id == kApply || id == kOk) OnButton(window, id);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    OpenPreferences* state = StateOf(window);
    if (state) state->ClosePage();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete state;
    return 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_APP: UpdateButtons(window); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: return OnDestroy(window);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExW(&wc) != 0;
}

} // namespace

HWND ShowPreferences(Host& host) {
    HWND open = FindWindowW(kClassName, nullptr);
    if (open) {
        SetForegroundWindow(open);
        return open;
    }
    RegisterWindowClass();
    HWND window = CreateWindowExW(
        WS_EX_CONTROLPARENT, kClassName, L"Preferences", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
        CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, host.MainWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    OpenPreferences* state = new OpenPreferences();
    state->callback = fb2k_service_new<StateCallback>(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    CreateControls(window, host);
    if (SendDlgItemMessageW(window, kPageList, LB_GETCOUNT, 0, 0) > 0) {
        SendDlgItemMessageW(window, kPageList, LB_SETCURSEL, 0, 0);
        OpenPage(window);
    }
    ShowWindow(window, SW_SHOW);
    return window;
}

} // namespace fb2k_host
