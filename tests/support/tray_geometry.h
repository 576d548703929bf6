#pragma once
// Steers where a module finds the pointer and the taskbar's windows, at its import boundary:
// GetCursorPos, FindWindowW, FindWindowExW and GetWindowRect. The taskbar it shows is either
// the classic one ("Shell_TrayWnd" > "TrayNotifyWnd" > "SysPager" > "ToolbarWindow32") with
// exact rectangles, a taskbar without that toolbar (as Wine's and Windows 11's), or none.
// Every other window lookup goes on to the real functions.
#include "tests/support/iat_hook.h"

#include <windows.h>

class TrayGeometry {
public:
    explicit TrayGeometry(HMODULE module = GetModuleHandleW(nullptr));
    ~TrayGeometry();
    TrayGeometry(const TrayGeometry&) = delete;
    TrayGeometry& operator=(const TrayGeometry&) = delete;

    bool Installed() const;

    void SetPointer(POINT pointer) { m_pointer = pointer; m_pointerKnown = true; }
    void SetPointer(int x, int y) { SetPointer(POINT{x, y}); }
    // GetCursorPos fails, as it does while another desktop is active.
    void LosePointer() { m_pointerKnown = false; }

    void SetClassicTaskbar(const RECT& taskbar, const RECT& toolbar);
    void SetTaskbarWithoutToolbar(const RECT& taskbar);
    void RemoveTaskbar() { m_taskbarKind = Kind::None; }

private:
    enum class Kind { None, WithoutToolbar, Classic };
    static BOOL WINAPI CursorPos(POINT* point);
    static HWND WINAPI FindWindowHook(const wchar_t* className, const wchar_t* title);
    static HWND WINAPI FindWindowExHook(HWND parent, HWND after, const wchar_t* className, const wchar_t* title);
    static BOOL WINAPI WindowRectHook(HWND window, RECT* rect);

    static TrayGeometry* s_active;
    POINT m_pointer = {};
    bool m_pointerKnown = false;
    Kind m_taskbarKind = Kind::None;
    RECT m_taskbar = {};
    RECT m_toolbar = {};
    IatHook m_cursor;
    IatHook m_findWindow;
    IatHook m_findWindowEx;
    IatHook m_windowRect;
};
