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

    // foobar2000_api
    t_size service_enum_get_count(const GUID& class_guid) override;
    bool service_enum_create(service_ptr_t<service_base>& out, const GUID& class_guid, t_size index) override;
    HWND get_main_window() override { return MainWindow(); }
    bool is_main_thread() override;
    const char* get_profile_path() override { return m_profilePath.c_str(); }
    void SetProfilePath(const std::string& path) { m_profilePath = path; }

private:
    struct Registration {
        GUID class_guid;
        service_ptr_t<service_base> instance;
    };
    std::vector<Registration> m_services;
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
