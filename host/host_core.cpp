#include "host/host_core.h"

#include "host/main_menu.h"
#include "host/main_window.h"
#include "host/playback_engine.h"
#include "host/playlist_service.h"
#include "host/popup_log.h"
#include "host/titleformat.h"
#include "sdk/initquit.h"
#include <algorithm>

namespace fb2k_host {

Host::Host()
    : m_playback(new PlaybackEngine()), m_popups(new PopupLog()), m_commands(new CommandLog()),
      m_mainThread(GetCurrentThreadId()) {
    RegisterService(playback_control::class_guid, m_playback->ControlService());
    RegisterService(play_callback_manager::class_guid, m_playback->CallbackManagerService());
    RegisterService(titleformat_compiler::class_guid, MakeTitleformatCompiler());
    RegisterService(popup_message::class_guid, m_popups->Service());
    RegisterService(playlist_manager::class_guid, MakePlaylistService(*m_playback));
    RegisterMainMenuServices(*this);
}

Host::~Host() {
    m_services.clear();
    DestroyMainWindow();
}

void Host::RegisterService(const GUID& class_guid, service_ptr_t<service_base> instance) {
    m_services.push_back({class_guid, instance});
}

void Host::UnregisterServices(const GUID& class_guid) {
    std::vector<Registration> kept;
    for (Registration& r : m_services)
        if (!pfc::guid_equal(r.class_guid, class_guid)) kept.push_back(r);
    m_services.swap(kept);
}

void Host::UnregisterService(service_base* instance) {
    std::vector<Registration> kept;
    for (Registration& r : m_services)
        if (r.instance.get_ptr() != instance) kept.push_back(r);
    m_services.swap(kept);
}

t_size Host::service_enum_get_count(const GUID& class_guid) {
    t_size count = 0;
    for (const Registration& r : m_services)
        if (pfc::guid_equal(r.class_guid, class_guid)) ++count;
    return count;
}

bool Host::service_enum_create(service_ptr_t<service_base>& out, const GUID& class_guid, t_size index) {
    for (const Registration& r : m_services) {
        if (!pfc::guid_equal(r.class_guid, class_guid)) continue;
        if (index-- == 0) {
            out = r.instance;
            return true;
        }
    }
    return false;
}

bool Host::is_main_thread() { return GetCurrentThreadId() == m_mainThread; }

HWND Host::MainWindow() {
    if (m_mainWindow && IsWindow(m_mainWindow)) return m_mainWindow;
    m_mainWindow = CreateMainWindow(*this);
    return m_mainWindow;
}

void Host::DestroyMainWindow() {
    if (m_mainWindow && IsWindow(m_mainWindow)) DestroyWindow(m_mainWindow);
    m_mainWindow = nullptr;
    // DestroyWindow posted WM_QUIT; drop it so a later message loop is not ended by it.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)), QS_ALLINPUT);
    }
}

void PumpMessagesFor(DWORD milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds);
}

} // namespace fb2k_host
