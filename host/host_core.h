#pragma once
// The stand-in player's core: its service registry (its own services and those of loaded
// components), its main window, and the pieces that tests steer and observe.
#include "sdk/core_api.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fb2k_host {

class PlaybackEngine;
class PopupLog;
class CommandLog;

class Host final : public foobar2000_api {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host's own services plus whatever components add.
    void RegisterService(const GUID& class_guid, service_ptr_t<service_base> instance);
    void UnregisterServices(const GUID& class_guid);
    void UnregisterService(service_base* instance);

    // Makes this host the core interface of code linked into the same executable
    // (in-process tests), as the entry point does for a loaded component.
    void InstallInProcess(HINSTANCE componentModule);

    PlaybackEngine& Playback() { return *m_playback; }
    PopupLog& Popups() { return *m_popups; }
    CommandLog& Commands() { return *m_commands; }

    HWND MainWindow();
    void DestroyMainWindow();

    // Instance `index` of a class, as a component looks it up; false when there is none.
    bool CreateService(service_ptr_t<service_base>& out, const GUID& class_guid, size_t index) {
        return service_enum_create(out, service_enum_find_class(class_guid), index);
    }
    // Instances registered for a class, in registration order.
    size_t CountOf(const GUID& class_guid) const;
    service_ptr_t<service_base> InstanceOf(const GUID& class_guid, size_t index) const;

    // foobar2000_api
    const void* service_enum_find_class(const GUID& class_guid) override;
    bool service_enum_create(service_ptr_t<service_base>& out, const void* class_handle, t_size index) override;
    t_size service_enum_get_count(const void* class_handle) override;
    HWND get_main_window() override { return MainWindow(); }
    bool assert_main_thread() override { return is_main_thread(); }
    bool is_main_thread() override;
    bool is_shutting_down() override { return m_shuttingDown; }
    const char* get_profile_path() override { return m_profilePath.c_str(); }
    bool is_initializing() override { return m_initializing; }
    bool is_portable_mode_enabled() override { return true; }
    bool is_quiet_mode_enabled() override { return false; }
    void SetProfilePath(const std::string& path) { m_profilePath = path; }
    void SetInitializing(bool initializing) { m_initializing = initializing; }
    void SetShuttingDown(bool shuttingDown) { m_shuttingDown = shuttingDown; }

private:
    // One service class: the handle the lookup hands out is the address of its entry, which
    // stays put while the host lives.
    struct ServiceClass {
        GUID class_guid;
        std::vector<service_ptr_t<service_base>> instances;
    };
    ServiceClass* FindClass(const GUID& class_guid) const;
    std::vector<std::unique_ptr<ServiceClass>> m_services;
    bool m_initializing = false;
    bool m_shuttingDown = false;
    std::unique_ptr<PlaybackEngine> m_playback;
    std::unique_ptr<PopupLog> m_popups;
    std::unique_ptr<CommandLog> m_commands;
    HWND m_mainWindow = nullptr;
    DWORD m_mainThread;
    std::string m_profilePath;
};

// Runs Windows messages until `done` returns true or `timeoutMs` passes; true when done.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Runs Windows messages for the given time.
void PumpMessagesFor(DWORD milliseconds);

} // namespace fb2k_host
