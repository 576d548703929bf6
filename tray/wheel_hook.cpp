// The low-level mouse hook behind the strip's wheel: installed and removed on the thread that
// owns the strip, which is also the thread Windows calls the procedure on.
#include "tray/wheel_hook.h"

namespace {

// Where the procedure posts. Plain values, set just before the hook is installed and cleared
// right after it is removed, so that the procedure never reaches into an object that may be
// gone.
struct WheelTarget {
    HWND window = nullptr;
    UINT message = 0;
};
WheelTarget target;

LRESULT CALLBACK WheelHookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == WM_MOUSEWHEEL && target.window) {
        const MSLLHOOKSTRUCT* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const short delta = static_cast<short>(HIWORD(event->mouseData));
        PostMessageW(target.window, target.message, static_cast<WPARAM>(static_cast<LONG_PTR>(delta)),
                     MAKELPARAM(event->pt.x, event->pt.y));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The module holding the procedure: a hook for all threads is given it, also one that Windows
// never injects anywhere.
HMODULE ProcedureModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&WheelHookProcedure), &module);
    return module;
}

} // namespace

bool WheelHook::Install(HWND window, UINT message) {
    if (m_hook) return true;
    if (!window || target.window) return false;
    target.window = window;
    target.message = message;
    m_hook = SetWindowsHookExW(WH_MOUSE_LL, &WheelHookProcedure, ProcedureModule(), 0);
    if (!m_hook) target = WheelTarget();
    return m_hook != nullptr;
}

void WheelHook::Remove() {
    if (!m_hook) return;
    UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    target = WheelTarget();
}
