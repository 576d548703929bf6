// Tells every top-level window of the desktop it runs in what the shell tells them:
//   taskbar-created  the registered message "TaskbarCreated" (the taskbar came back after a
//                    restart of the shell), posted;
//   theme            WM_SETTINGCHANGE with "ImmersiveColorSet" (the light or dark theme changed),
//                    sent with a time limit, as its text must reach each window;
//   display          WM_DISPLAYCHANGE with the screen's size and depth.
// Usage: shell_broadcast.exe WHAT. Exit code 0 when the message went out, 1 otherwise, 2 for
// an unknown WHAT.
#include <windows.h>

#include <cwchar>

namespace {

constexpr UINT kAnswerLimitMs = 2000;

bool TaskbarCreated() {
    UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message != 0 && PostMessageW(HWND_BROADCAST, message, 0, 0);
}

bool ThemeChanged() {
    static const wchar_t kArea[] = L"ImmersiveColorSet";
    return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kArea),
                               SMTO_ABORTIFHUNG, kAnswerLimitMs, nullptr) != 0;
}

bool DisplayChanged() {
    HDC screen = GetDC(nullptr);
    WPARAM depth = static_cast<WPARAM>(GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, depth, size, SMTO_ABORTIFHUNG, kAnswerLimitMs,
                               nullptr) != 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    if (std::wcscmp(argv[1], L"taskbar-created") == 0) return TaskbarCreated() ? 0 : 1;
    if (std::wcscmp(argv[1], L"theme") == 0) return ThemeChanged() ? 0 : 1;
    if (std::wcscmp(argv[1], L"display") == 0) return DisplayChanged() ? 0 : 1;
    return 2;
}
