#include "host/host_core.h"

#include "host/album_art_loader.h"
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
    RegisterService(now_playing_album_art_notify_manager::class_guid, MakeAlbumArtLoader(*m_playback));
    RegisterMainMenuServices(*this);
}

Host::~Host() {
    m_services.clear();
    DestroyMainWindow();
}

Host::ServiceClass* Host::FindClass(const GUID& class_guid) const {
    for (const std::unique_ptr<ServiceClass>& c : m_services)
        if (pfc::guid_equal(c->class_guid, class_guid)) return c.get();
    return nullptr;
}

void Host::RegisterService(const GUID& class_guid, service_ptr_t<service_base> instance) {
    ServiceClass* entry = FindClass(class_guid);
    if (!entry) {
        m_services.push_back(std::unique_ptr<ServiceClass>(new ServiceClass{class_guid, {}}));
        entry = m_services.back().get();
    }
    entry->instances.push_back(instance);
}

// The class entries stay (their handles may be held); only their instances go.
void Host::UnregisterServices(const GUID& class_guid) {
    if (ServiceClass* entry = FindClass(class_guid)) entry->instances.clear();
}

void Host::UnregisterService(service_base* instance) {
    for (const std::unique_ptr<ServiceClass>& c : m_services) {
        std::vector<service_ptr_t<service_base>>& list = c->instances;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [instance](const service_ptr_t<service_base>& p) { return p.get_ptr() == instance; }),
                   list.end());
    }
}

size_t Host::CountOf(const GUID& class_guid) const {
    ServiceClass* entry = FindClass(class_guid);
    return entry ? entry->instances.size() : 0;
}

service_ptr_t<service_base> Host::InstanceOf(const GUID& class_guid, size_t index) const {
    ServiceClass* entry = FindClass(class_guid);
    if (!entry || index >= entry->instances.size()) return service_ptr_t<service_base>();
    return entry->instances[index];
}

// Every GUID has a handle, as in the player: a class nobody implements simply counts 0.
const void* Host::service_enum_find_class(const GUID& class_guid) {
    ServiceClass* entry = FindClass(class_guid);
    if (!entry) {
        m_services.push_back(std::unique_ptr<ServiceClass>(new ServiceClass{class_guid, {}}));
        entry = m_services.back().get();
    }
    return entry;
}

t_size Host::service_enum_get_count(const void* class_handle) {
    return class_handle ? static_cast<const ServiceClass*>(class_handle)->instances.size() : 0;
}

bool Host::service_enum_create(service_ptr_t<service_base>& out, const void* class_handle, t_size index) {
    if (!class_handle) return false;
    const ServiceClass* entry = static_cast<const ServiceClass*>(class_handle);
    if (index >= entry->instances.size()) return false;
    out = entry->instances[index];
    return true;
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
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                  QS_ALLINPUT);
    }
}

void PumpMessagesFor(DWORD milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds);
}

} // namespace fb2k_host
