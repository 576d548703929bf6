// The steered pointer, small-icon size and shell windows.
#include "tests/support/tray_geometry.h"

#include <commctrl.h>
#include <shellapi.h>
#include <cstring>
#include <cwchar>

namespace {

// Handles that stand for the shell's windows; no real window has them.
HWND Fake(INT_PTR value) { return reinterpret_cast<HWND>(value); }
HWND const kTaskbar = Fake(0x7A110001);
HWND const kTrayNotify = Fake(0x7A110002);
HWND const kPager = Fake(0x7A110003);
HWND const kToolbar = Fake(0x7A110004);
HWND const kOverflow = Fake(0x7A110005);
HWND const kOverflowToolbar = Fake(0x7A110006);

bool IsClass(const wchar_t* className, const wchar_t* name) {
    // A class atom is not a name.
    return className && !IS_INTRESOURCE(className) && std::wcscmp(className, name) == 0;
}

} // namespace

TrayGeometry* TrayGeometry::s_active = nullptr;

TrayGeometry::TrayGeometry(HMODULE module)
    : m_cursor(module, "user32.dll", "GetCursorPos", reinterpret_cast<void*>(&TrayGeometry::CursorPos)),
      m_metrics(module, "user32.dll", "GetSystemMetrics", reinterpret_cast<void*>(&TrayGeometry::SystemMetrics)),
      m_findWindow(module, "user32.dll", "FindWindowW", reinterpret_cast<void*>(&TrayGeometry::FindWindowHook)),
      m_findWindowEx(module, "user32.dll", "FindWindowExW", reinterpret_cast<void*>(&TrayGeometry::FindWindowExHook)),
      m_windowRect(module, "user32.dll", "GetWindowRect", reinterpret_cast<void*>(&TrayGeometry::WindowRectHook)),
      m_visible(module, "user32.dll", "IsWindowVisible", reinterpret_cast<void*>(&TrayGeometry::VisibleHook)),
      m_sendTimeout(module, "user32.dll", "SendMessageTimeoutW",
                    reinterpret_cast<void*>(&TrayGeometry::SendTimeoutHook)),
      m_procAddress(module, "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&TrayGeometry::ProcAddressHook)) {
    s_active = this;
}

TrayGeometry::~TrayGeometry() {
    if (s_active == this) s_active = nullptr;
}

bool TrayGeometry::Installed() const {
    return m_cursor.Installed() && m_metrics.Installed() && m_findWindow.Installed() && m_findWindowEx.Installed() &&
           m_windowRect.Installed() && m_visible.Installed() && m_sendTimeout.Installed() && m_procAddress.Installed();
}

void TrayGeometry::SetClassicTaskbar(const RECT& taskbar, const RECT& toolbar, SIZE button) {
    m_taskbarKind = Kind::Classic;
    m_taskbar = taskbar;
    m_toolbar = toolbar;
    m_button = button;
}

void TrayGeometry::SetTaskbarWithoutToolbar(const RECT& taskbar) {
    m_taskbarKind = Kind::WithoutToolbar;
    m_taskbar = taskbar;
}

void TrayGeometry::OpenOverflow(const RECT& toolbar, SIZE button) {
    m_overflowOpen = true;
    m_overflowToolbar = toolbar;
    m_overflowButton = button;
}

BOOL WINAPI TrayGeometry::CursorPos(POINT* point) {
    if (!s_active || !s_active->m_pointerKnown || !point) return FALSE;
    *point = s_active->m_pointer;
    return TRUE;
}

int WINAPI TrayGeometry::SystemMetrics(int index) {
    if (s_active && s_active->m_smallIcon > 0 && (index == SM_CXSMICON || index == SM_CYSMICON))
        return s_active->m_smallIcon;
    return s_active ? OriginalOf<int(WINAPI*)(int)>(s_active->m_metrics)(index) : 0;
}

HWND WINAPI TrayGeometry::FindWindowHook(const wchar_t* className, const wchar_t* title) {
    if (!s_active) return nullptr;
    if (IsClass(className, L"Shell_TrayWnd")) return s_active->m_taskbarKind == Kind::None ? nullptr : kTaskbar;
    if (IsClass(className, L"NotifyIconOverflowWindow")) return kOverflow; // always there, shown when open
    return OriginalOf<HWND(WINAPI*)(const wchar_t*, const wchar_t*)>(s_active->m_findWindow)(className, title);
}

HWND WINAPI TrayGeometry::FindWindowExHook(HWND parent, HWND after, const wchar_t* className, const wchar_t* title) {
    if (!s_active) return nullptr;
    if (parent == kOverflow) return IsClass(className, L"ToolbarWindow32") ? kOverflowToolbar : nullptr;
    if (parent == kTaskbar || parent == kTrayNotify || parent == kPager) {
        if (s_active->m_taskbarKind != Kind::Classic) return nullptr;
        if (parent == kTaskbar && IsClass(className, L"TrayNotifyWnd")) return kTrayNotify;
        if (parent == kTrayNotify && IsClass(className, L"SysPager")) return kPager;
        if (parent == kPager && IsClass(className, L"ToolbarWindow32")) return kToolbar;
        return nullptr;
    }
    return OriginalOf<HWND(WINAPI*)(HWND, HWND, const wchar_t*, const wchar_t*)>(s_active->m_findWindowEx)(
        parent, after, className, title);
}

BOOL WINAPI TrayGeometry::WindowRectHook(HWND window, RECT* rect) {
    if (!s_active || !rect) return FALSE;
    if (window == kTaskbar) *rect = s_active->m_taskbar;
    else if (window == kToolbar) *rect = s_active->m_toolbar;
    else if (window == kOverflowToolbar) *rect = s_active->m_overflowToolbar;
    else if (window == kTrayNotify || window == kPager || window == kOverflow) return FALSE;
    else return OriginalOf<BOOL(WINAPI*)(HWND, RECT*)>(s_active->m_windowRect)(window, rect);
    return TRUE;
}

BOOL WINAPI TrayGeometry::VisibleHook(HWND window) {
    if (!s_active) return FALSE;
    if (window == kTaskbar || window == kToolbar) return s_active->m_taskbarKind != Kind::None;
    if (window == kOverflow || window == kOverflowToolbar) return s_active->m_overflowOpen;
    if (window == kTrayNotify || window == kPager) return TRUE;
    return OriginalOf<BOOL(WINAPI*)(HWND)>(s_active->m_visible)(window);
}

void TrayGeometry::RunDelivery() {
    if (!s_active || !s_active->m_delivery) return;
    std::function<void()> delivery = std::move(s_active->m_delivery);
    s_active->m_delivery = nullptr;
    delivery();
}

LRESULT WINAPI TrayGeometry::SendTimeoutHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                             UINT timeout, PDWORD_PTR result) {
    if (!s_active) return 0;
    if (window == kToolbar || window == kOverflowToolbar) {
        RunDelivery();
        SIZE button = window == kToolbar ? s_active->m_button : s_active->m_overflowButton;
        if (message != TB_GETBUTTONSIZE || button.cx <= 0) return 0; // as a window that does not answer
        if (result) *result = MAKELONG(button.cx, button.cy);
        return 1;
    }
    typedef LRESULT(WINAPI * Send)(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR);
    return OriginalOf<Send>(s_active->m_sendTimeout)(window, message, wParam, lParam, flags, timeout, result);
}

FARPROC WINAPI TrayGeometry::ProcAddressHook(HMODULE module, LPCSTR name) {
    if (s_active && !IS_INTRESOURCE(name) && std::strcmp(name, "Shell_NotifyIconGetRect") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&TrayGeometry::ShellRectHook));
    typedef FARPROC(WINAPI * Lookup)(HMODULE, LPCSTR);
    return s_active ? OriginalOf<Lookup>(s_active->m_procAddress)(module, name) : nullptr;
}

HRESULT WINAPI TrayGeometry::ShellRectHook(const void* identifier, RECT* rect) {
    const auto* id = static_cast<const NOTIFYICONIDENTIFIER*>(identifier);
    if (!s_active || !id || !rect) return E_INVALIDARG;
    RunDelivery();
    auto found = s_active->m_shellRects.find(id->uID);
    if (found == s_active->m_shellRects.end()) return E_NOTIMPL;
    *rect = found->second;
    return S_OK;
}
