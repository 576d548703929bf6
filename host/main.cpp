// fb2k-host.exe: the stand-in player. Loads a component, gives it a playlist to play and
// runs until its window is closed. With --quit-after SECONDS it runs unattended (messages for
// the user go to the error output instead of message boxes) and closes itself after that
// time at the latest, so that a scripted demo can never leave it behind.
#include "host/component_loader.h"
#include "host/component_menus.h"
#include "host/config_store.h"
#include "host/host_core.h"
#include "host/main_window.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "host/text.h"
#include <cwchar>
#include <string>

using namespace fb2k_host;

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 100;
constexpr DWORD kTrackAnnouncedAfterMs = 150;
constexpr UINT_PTR kQuitTimer = 2;

struct Options {
    std::wstring component;
    int quitAfterSeconds = 0;
};

Host* g_host = nullptr;

std::wstring ExecutableDirectory() {
    wchar_t path[4096];
    DWORD n = GetModuleFileNameW(nullptr, path, 4096);
    std::wstring full(path, n < 4096 ? n : 0);
    return full.substr(0, full.find_last_of(L"\\/") + 1);
}

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    options.component = ExecutableDirectory() + L"foo_Trelvane.dll";
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--component" && i + 1 < argc) options.component = argv[++i];
        else if (arg == L"--quit-after" && i + 1 < argc) options.quitAfterSeconds = _wtoi(argv[++i]);
    }
    return options;
}

std::vector<TrackInfo> DemoPlaylist() {
    return {
        {"C:\\Music\\Aurora Fields - Prelude.flac",
         48.0,
         {{"artist", "Aurora Fields"}, {"title", "Prelude"}, {"album", "Daybreak"}, {"tracknumber", "01"}}},
        {"C:\\Music\\Aurora Fields - Morning Light.flac",
         214.5,
         {{"artist", "Aurora Fields"}, {"title", "Morning Light"}, {"album", "Daybreak"}, {"tracknumber", "02"}}},
        {"C:\\Music\\The Quiet Hours - Lanterns.mp3",
         187.0,
         {{"artist", "The Quiet Hours"}, {"title", "Lanterns"}, {"album", "Nightfall"}, {"tracknumber", "04"}}},
        {"http://radio.example.org/stream", 0, {{"title", "Example Radio"}}},
    };
}

void CALLBACK OnClockTick(HWND window, UINT, UINT_PTR, DWORD) {
    g_host->Playback().Advance(kClockPeriodMs / 1000.0);
    InvalidateRect(window, nullptr, TRUE);
}

void CALLBACK OnQuitTime(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int Fail(const std::string& message) {
    g_host->Popups().Show(message, "fb2k-host", popup_message::icon_error);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options = ParseOptions(argc, argv);
    Host host;
    g_host = &host;
    bool unattended = options.quitAfterSeconds > 0;
    host.Popups().SetShowMessageBoxes(!unattended);

    HWND window = host.MainWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    host.Playback().SetPlaylist(DemoPlaylist());
    // A new track is announced a moment after its start, from the message loop, as the real
    // player does once the file is open.
    host.Playback().SetTrackOpening(kTrackAnnouncedAfterMs, 0);

    // Each component's settings live in profile\configuration beside the executable.
    ConfigStore configStore(ExecutableDirectory() + L"profile\\configuration");
    ComponentConfiguration configuration(configStore, ComponentFileName(options.component), host.Popups());

    LoadedComponent component(host);
    if (!component.Load(options.component)) return Fail("Cannot load the component: " + component.Error());
    configuration.Restore(component);
    component.ServicesInit(true);
    try {
        component.Init();
    } catch (const std::exception& e) {
        return Fail(std::string("The component failed to start: ") + e.what());
    }

    // The components' commands in the menu bar (the "View" menu), as the player offers them.
    ComponentMenus menus;
    menus.Build(host, GetMenu(window));
    AttachComponentMenus(window, &menus);

    SetTimer(window, kClockTimer, kClockPeriodMs, &OnClockTick);
    if (unattended) SetTimer(window, kQuitTimer, static_cast<UINT>(options.quitAfterSeconds) * 1000u, &OnQuitTime);
    RunMessageLoop();

    AttachComponentMenus(window, nullptr);
    menus.Clear();
    component.Quit();
    configuration.Save(component);
    component.Unload();
    for (const ShownPopup& popup : host.Popups().Shown())
        std::fprintf(stderr, "popup: %s: %s\n", popup.title.c_str(), popup.message.c_str());
    return 0;
}
