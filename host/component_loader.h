#pragma once
// Loads a component library the way the player does and runs its life cycle.
#include "sdk/client.h"
#include "sdk/initquit.h"
#include <string>
#include <vector>

namespace fb2k_host {

class Host;

class LoadedComponent {
public:
    explicit LoadedComponent(Host& host);
    ~LoadedComponent();
    LoadedComponent(const LoadedComponent&) = delete;
    LoadedComponent& operator=(const LoadedComponent&) = delete;

    // LoadLibraryW, foobar2000_get_interface, set_library_path, the component's services
    // joined to the host's. False (with Error() saying why) when the library is no component.
    bool Load(const std::wstring& path);
    // Configuration as the player stores it: restored before start-up, saved at shut-down.
    void SetConfig(const std::vector<char>& bytes);
    std::vector<char> GetConfig();
    void ServicesInit(bool available);
    // Calls on_init of every initquit service of the component; exceptions pass to the caller.
    void Init();
    void Quit();
    void Unload();

    bool IsLoaded() const { return m_module != nullptr; }
    HMODULE Module() const { return m_module; }
    foobar2000_client* Client() const { return m_client; }
    const std::string& Error() const { return m_error; }
    // The services the component registered, by class GUID, in the order the player saw them.
    const std::vector<GUID>& RegisteredClasses() const { return m_classes; }

private:
    void RunInitQuitHooks(void (initquit::*hook)());

    Host& m_host;
    HMODULE m_module = nullptr;
    foobar2000_client* m_client = nullptr;
    std::string m_error;
    std::vector<GUID> m_classes;
    std::vector<service_ptr_t<service_base>> m_instances;
};

} // namespace fb2k_host
