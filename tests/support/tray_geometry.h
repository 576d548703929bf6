#pragma once
// Steers where a module finds the pointer, the small-icon size and the shell's tray, at its
// import boundary (GetCursorPos, GetSystemMetrics, FindWindowW, FindWindowExW, GetWindowRect,
// IsWindowVisible, SendMessageTimeoutW, and GetProcAddress for Shell_NotifyIconGetRect).
// The taskbar it shows is the classic one ("Shell_TrayWnd" > "TrayNotifyWnd" > "SysPager" >
// "ToolbarWindow32") with exact rectangles and button size, a taskbar without that toolbar
// that draws its icons itself (Wine's, Windows 11's), or none; the overflow flyout
// ("NotifyIconOverflowWindow" > "ToolbarWindow32") may be open; the shell may answer its
// rectangle of each icon. Every other lookup goes on to the real functions.
#include "tests/support/iat_hook.h"

#include <windows.h>
#include <functional>
#include <map>

// A screen rectangle from its corner and size, as the shell reports an icon's cell.
inline RECT Cell(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

class TrayGeometry {
public:
    explicit TrayGeometry(HMODULE module = GetModuleHandleW(nullptr));
    ~TrayGeometry();
    TrayGeometry(const TrayGeometry&) = delete;
    TrayGeometry& operator=(const TrayGeometry&) = delete;

    bool Installed() const;

    void SetPointer(POINT pointer) {
        m_pointer = pointer;
        m_pointerKnown = true;
    }
    void SetPointer(int x, int y) { SetPointer(POINT{x, y}); }
    // GetCursorPos fails, as it does while another desktop is active.
    void LosePointer() { m_pointerKnown = false; }

    // The small-icon size (SM_CXSMICON, SM_CYSMICON) at the screen's DPI; 0 leaves the real one.
    void SetSmallIcon(int size) { m_smallIcon = size; }

    // A classic taskbar whose toolbar answers TB_GETBUTTONSIZE with `button` (0 x 0: it does
    // not answer).
    void SetClassicTaskbar(const RECT& taskbar, const RECT& toolbar, SIZE button = SIZE{0, 0});
    void SetTaskbarWithoutToolbar(const RECT& taskbar);
    void RemoveTaskbar() { m_taskbarKind = Kind::None; }

    void OpenOverflow(const RECT& toolbar, SIZE button);
    void CloseOverflow() { m_overflowOpen = false; }

    // The shell's rectangle for the icon with this id; without one it answers E_NOTIMPL.
    void SetShellRect(UINT iconId, const RECT& rect) { m_shellRects[iconId] = rect; }
    void ClearShellRects() { m_shellRects.clear(); }

    // Runs `delivery` inside the strip's next question to the shell (an icon's rectangle, the
    // tray toolbar's button size), as Windows delivers the shell's tray messages to a thread
    // that waits in a call to another process.
    void DeliverDuringNextQuestion(std::function<void()> delivery) { m_delivery = std::move(delivery); }

private:
    enum class Kind { None, WithoutToolbar, Classic };
    static BOOL WINAPI CursorPos(POINT* point);
    static int WINAPI SystemMetrics(int index);
    static HWND WINAPI FindWindowHook(const wchar_t* className, const wchar_t* title);
    static HWND WINAPI FindWindowExHook(HWND parent, HWND after, const wchar_t* className, const wchar_t* title);
    static BOOL WINAPI WindowRectHook(HWND window, RECT* rect);
    static BOOL WINAPI VisibleHook(HWND window);
    static LRESULT WINAPI SendTimeoutHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                          UINT timeout, PDWORD_PTR result);
    static FARPROC WINAPI ProcAddressHook(HMODULE module, LPCSTR name);
    static HRESULT WINAPI ShellRectHook(const void* identifier, RECT* rect);

    static void RunDelivery();

    static TrayGeometry* s_active;
    std::function<void()> m_delivery;
    POINT m_pointer = {};
    bool m_pointerKnown = false;
    int m_smallIcon = 0;
    Kind m_taskbarKind = Kind::None;
    RECT m_taskbar = {};
    RECT m_toolbar = {};
    SIZE m_button = {};
    bool m_overflowOpen = false;
    RECT m_overflowToolbar = {};
    SIZE m_overflowButton = {};
    std::map<UINT, RECT> m_shellRects;
    IatHook m_cursor;
    IatHook m_metrics;
    IatHook m_findWindow;
    IatHook m_findWindowEx;
    IatHook m_windowRect;
    IatHook m_visible;
    IatHook m_sendTimeout;
    IatHook m_procAddress;
};
