// What the strip's 200 ms tick costs with the mouse wheel in the product: with no hover going
// on, an unchanged tick (the slider refresh and the strip's tick) creates no GDI object, makes
// no shell call and installs no hook. A hover installs the wheel hook once and the tick that
// finds the pointer gone removes it. Hooks are counted at the executable's import boundary,
// and the hook itself stood in for, so that no real one is installed by the run.
#include "tests/support/gdi_tracker.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "base/user_handles.h"

#include <cstdio>
#include <ctime>

namespace {

int installs = 0, removals = 0;
const HHOOK kStandInHook = reinterpret_cast<HHOOK>(static_cast<INT_PTR>(0x5150));
HHOOK WINAPI CountInstall(int, HOOKPROC, HINSTANCE, DWORD) {
    ++installs;
    return kStandInHook;
}
BOOL WINAPI CountRemoval(HHOOK) {
    ++removals;
    return TRUE;
}

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main() {
    IatHook install(GetModuleHandleW(nullptr), "user32.dll", "SetWindowsHookExW",
                    reinterpret_cast<void*>(&CountInstall));
    IatHook remove(GetModuleHandleW(nullptr), "user32.dll", "UnhookWindowsHookEx",
                   reinterpret_cast<void*>(&CountRemoval));
    ShellTray shell;
    TrayGeometry geometry;
    // A classic taskbar with the strip in its first two cells; the pointer elsewhere.
    const RECT toolbar = {1100, 770, 1246, 800}; // not a resource id: screen pixels
    geometry.SetClassicTaskbar({0, 760, 1280, 800}, toolbar, SIZE{24, 30});
    geometry.SetPointer(400, 300);
    UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    HWND window = owner.get();

    TestStrip strip;
    strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
    strip.sliderFraction = 0.5;
    strip.SetPlayMode(Playing);
    NotifyIcons::TipRewrittenAt(_time64(nullptr)); // no tooltip rewrite during the run
    shell.Clear();

    const int ticks = 1000000;
    GdiTracker gdi;
    double start = Now();
    for (int i = 0; i < ticks; ++i) {
        strip.Refresh();
        strip.TimerTick();
    }
    double seconds = Now() - start;
    std::printf("unchanged tick, no hover: %zu GDI objects created, %zu shell calls, %d hooks installed in %d ticks "
                "(goal 0, 0, 0)\n",
                gdi.Created(), shell.Calls().size(), installs, ticks);
    std::printf("unchanged tick, no hover: %.3f microseconds per tick\n", seconds / ticks * 1e6);

    // A hover: one tray message over icon 0, ticks while the pointer stays, then it leaves.
    geometry.SetPointer(1100 + 12, 785); // not a resource id: screen pixels
    strip.NotifyIconCallback(WM_MOUSEMOVE, NotifyIcons::kIconId[0]);
    const int hoverTicks = 1000; // not a resource id: a count
    start = Now();
    for (int i = 0; i < hoverTicks; ++i) strip.TimerTick();
    seconds = Now() - start;
    const int installedDuringHover = installs, removedDuringHover = removals;
    geometry.SetPointer(400, 300);
    strip.TimerTick();
    std::printf("hover: %d hook installed, %d removed over %d ticks on the strip; after the pointer left: %d "
                "removed, %d live (goal 1, 0, 1, 0)\n",
                installedDuringHover, removedDuringHover, hoverTicks, removals, installs - removals);
    std::printf("tick during a hover: %.3f microseconds per tick\n", seconds / hoverTicks * 1e6);
    return installs == 1 && removals == 1 ? 0 : 1;
}
