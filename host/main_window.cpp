#include "host/main_window.h"

#include "host/component_menus.h"
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/preferences_window.h"
#include "host/text.h"
#include <cstdio>
#include <string>

namespace fb2k_host {

namespace {

const wchar_t* const kMainWindowClass = L"fb2k-host main window";
const wchar_t* const kComponentMenusProperty = L"fb2k-host component menus";

enum MenuCommand : UINT { kPlay = 100, kPause, kStop, kPrevious, kNext, kVolumeUp, kVolumeDown, kPreferences, kExit };

std::wstring Clock(double seconds) {
    long total = static_cast<long>(seconds);
    wchar_t text[32];
    std::swprintf(text, 32, L"%ld:%02ld", total / 60, total % 60);
    return text;
}

std::wstring StatusText(PlaybackEngine& playback) {
    if (!playback.IsPlaying()) return L"Stopped";
    const TrackInfo& track = playback.Playlist().at(static_cast<size_t>(playback.CurrentIndex()));
    auto meta = [&track](const char* name) {
        auto it = track.meta.find(name);
        return it == track.meta.end() ? std::wstring() : Utf8ToWide(it->second);
    };
    std::wstring text = playback.IsPaused() ? L"Paused: " : L"Playing: ";
    std::wstring artist = meta("artist");
    text += artist.empty() ? meta("title") : artist + L" - " + meta("title");
    text += L"\n" + Clock(playback.Position());
    text += track.length > 0 ? L" / " + Clock(track.length) : L" (stream)";
    wchar_t volume[48];
    std::swprintf(volume, 48, L"\nVolume %.1f dB", static_cast<double>(playback.VolumeDb()));
    return text + volume;
}

HMENU CreateMenuBar() {
    HMENU playback = CreatePopupMenu();
    AppendMenuW(playback, MF_STRING, kPlay, L"&Play");
    AppendMenuW(playback, MF_STRING, kPause, L"P&ause");
    AppendMenuW(playback, MF_STRING, kStop, L"&Stop");
    AppendMenuW(playback, MF_STRING, kPrevious, L"Pre&vious");
    AppendMenuW(playback, MF_STRING, kNext, L"&Next");
    AppendMenuW(playback, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(playback, MF_STRING, kVolumeUp, L"Volume &up");
    AppendMenuW(playback, MF_STRING, kVolumeDown, L"Volume &down");
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kPreferences, L"&Preferences...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(playback), L"&Playback");
    return bar;
}

void RunMenuCommand(HWND window, Host& host, UINT command) {
    PlaybackEngine& playback = host.Playback();
    switch (command) {
    case kPlay: playback.Play(); break;
    case kPause: playback.TogglePause(); break;
    case kStop: playback.Stop(); break;
    case kPrevious: playback.Previous(); break;
    case kNext: playback.Next(); break;
    case kVolumeUp: playback.SetVolumeDb(playback.VolumeDb() + 3.0f); break;
    case kVolumeDown: playback.SetVolumeDb(playback.VolumeDb() - 3.0f); break;
    case kPreferences: ShowPreferences(host); break;
    case kExit: PostMessageW(window, WM_CLOSE, 0, 0); break;
    default: {
        auto menus = static_cast<ComponentMenus*>(GetPropW(window, kComponentMenusProperty));
        if (menus) menus->Execute(command);
        break;
    }
    }
    InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window, Host& host) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    InflateRect(&area, -12, -12);
    std::wstring text = StatusText(host.Playback());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP);
    EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Host* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (host) RunMenuCommand(window, *host, LOWORD(wParam));
        return 0;
    case WM_PAINT:
        if (host) {
            Paint(window, *host);
            return 0;
        }
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterMainWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &MainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainWindowClass;
    registered = RegisterClassExW(&wc) != 0;
}

} // namespace

void AttachComponentMenus(HWND window, ComponentMenus* menus) {
    if (menus) SetPropW(window, kComponentMenusProperty, menus);
    else RemovePropW(window, kComponentMenusProperty);
    DrawMenuBar(window);
}

HWND CreateMainWindow(Host& host) {
    RegisterMainWindowClass();
    return CreateWindowExW(0, kMainWindowClass, L"foobar2000 (stand-in)", WS_OVERLAPPEDWINDOW, 40, 40, 480, 200,
                           nullptr, CreateMenuBar(), GetModuleHandleW(nullptr), &host);
}

} // namespace fb2k_host
