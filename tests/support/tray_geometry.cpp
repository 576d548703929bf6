// The steered pointer and taskbar windows.
#include "tests/support/tray_geometry.h"

#include <cwchar>

namespace {

// Handles that stand for the taskbar's windows; no real window has them.
HWND const kTaskbar = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7A110001));
HWND const kTrayNotify = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7A110002));
HWND const kPager = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7A110003));
HWND const kToolbar = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7A110004));

bool IsClass(const wchar_t* className, const wchar_t* name) {
    // A class atom is not a name.
    return className && !IS_INTRESOURCE(className) && std::wcscmp(className, name) == 0;
}

} // namespace

TrayGeometry* TrayGeometry::s_active = nullptr;

TrayGeometry::TrayGeometry(HMODULE module)
    : m_cursor(module, "user32.dll", "GetCursorPos", reinterpret_cast<void*>(&TrayGeometry::CursorPos)),
      m_findWindow(module, "user32.dll", "FindWindowW", reinterpret_cast<void*>(&TrayGeometry::FindWindowHook)),
      m_findWindowEx(module, "user32.dll", "FindWindowExW", reinterpret_cast<void*>(&TrayGeometry::FindWindowExHook)),
      m_windowRect(module, "user32.dll", "GetWindowRect", reinterpret_cast<void*>(&TrayGeometry::WindowRectHook)) {
    s_active = this;
}

TrayGeometry::~TrayGeometry() {
    if (s_active == this) s_active = nullptr;
}

bool TrayGeometry::Installed() const {
    return m_cursor.Installed() && m_findWindow.Installed() && m_findWindowEx.Installed() && m_windowRect.Installed();
}

void TrayGeometry::SetClassicTaskbar(const RECT& taskbar, const RECT& toolbar) {
    m_taskbarKind = Kind::Classic;
    m_taskbar = taskbar;
    m_toolbar = toolbar;
}

void TrayGeometry::SetTaskbarWithoutToolbar(const RECT& taskbar) {
    m_taskbarKind = Kind::WithoutToolbar;
    m_taskbar = taskbar;
}

BOOL WINAPI TrayGeometry::CursorPos(POINT* point) {
    if (!s_active || !s_active->m_pointerKnown || !point) return FALSE;
    *point = s_active->m_pointer;
    return TRUE;
}

HWND WINAPI TrayGeometry::FindWindowHook(const wchar_t* className, const wchar_t* title) {
    if (!s_active) return nullptr;
    if (IsClass(className, L"Shell_TrayWnd"))
        return s_active->m_taskbarKind == Kind::None ? nullptr : kTaskbar;
    return OriginalOf<HWND(WINAPI*)(const wchar_t*, const wchar_t*)>(s_active->m_findWindow)(className, title);
}

HWND WINAPI TrayGeometry::FindWindowExHook(HWND parent, HWND after, const wchar_t* className, const wchar_t* title) {
    if (!s_active) return nullptr;
    if ((parent == kTaskbar || parent == kTrayNotify || parent == kPager)) {
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
    if ((window == kTaskbar || window == kToolbar)) {
        *rect = window == kTaskbar ? s_active->m_taskbar : s_active->m_toolbar;
        return TRUE;
    }
    if ((window == kTrayNotify || window == kPager)) return FALSE;
    return OriginalOf<BOOL(WINAPI*)(HWND, RECT*)>(s_active->m_windowRect)(window, rect);
}
