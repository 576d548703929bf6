#include "host/component_loader.h"

#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/text.h"
#include "sdk/initquit.h"
#include <cstring>

namespace fb2k_host {

namespace {

class VectorWriter : public stream_writer {
public:
    void write(const void* buffer, t_size bytes, abort_callback&) override {
        const char* p = static_cast<const char*>(buffer);
        m_bytes.insert(m_bytes.end(), p, p + bytes);
    }
    std::vector<char> m_bytes;
};

class VectorReader : public stream_reader {
public:
    explicit VectorReader(const std::vector<char>& bytes) : m_bytes(bytes) {}
    t_size read(void* buffer, t_size bytes, abort_callback&) override {
        t_size n = std::min(bytes, m_bytes.size() - m_offset);
        if (n) std::memcpy(buffer, m_bytes.data() + m_offset, n);
        m_offset += n;
        return n;
    }

private:
    const std::vector<char>& m_bytes;
    t_size m_offset = 0;
};

BOOL CALLBACK CollectModuleWindow(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<std::pair<HMODULE, std::vector<HWND>>*>(context);
    if (reinterpret_cast<HMODULE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == found->first)
        found->second.push_back(window);
    return TRUE;
}

// A component keeps its windows (and their timers) until the process ends; when the
// stand-in player unloads one earlier, they must go first, or their next message would
// run code that is no longer there.
void DestroyWindowsOf(HMODULE module) {
    std::pair<HMODULE, std::vector<HWND>> found(module, {});
    EnumThreadWindows(GetCurrentThreadId(), &CollectModuleWindow, reinterpret_cast<LPARAM>(&found));
    for (HWND window : found.second) DestroyWindow(window);
}

std::string FileNameOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[4096];
    DWORD n = GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
    return (n > 0 && n < 4096) ? std::wstring(buffer, n) : path;
}

} // namespace

LoadedComponent::LoadedComponent(Host& host) : m_host(host) {}

LoadedComponent::~LoadedComponent() { Unload(); }

bool LoadedComponent::Load(const std::wstring& path) {
    std::wstring full = FullPath(path);
    m_module = LoadLibraryW(full.c_str());
    if (!m_module) {
        m_error = "cannot load library (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    auto entry = reinterpret_cast<foobar2000_get_interface_t>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "foobar2000_get_interface")));
    if (!entry) {
        m_error = "not a component: no foobar2000_get_interface export";
        Unload();
        return false;
    }
    m_client = entry(&m_host, m_module);
    if (!m_client) {
        m_error = "the component returned no client object";
        Unload();
        return false;
    }
    m_client->set_library_path(WideToUtf8(full).c_str(), FileNameOf(full).c_str());
    for (service_factory_base* f = m_client->get_service_list(); f; f = f->get_next()) {
        service_ptr_t<service_base> instance;
        f->instance_create(instance);
        m_host.RegisterService(f->get_class_guid(), instance);
        m_classes.push_back(f->get_class_guid());
        m_instances.push_back(instance);
    }
    return true;
}

void LoadedComponent::SetConfig(const std::vector<char>& bytes) {
    if (!m_client) return;
    VectorReader reader(bytes);
    abort_callback_dummy abort;
    m_client->set_config(&reader, abort);
}

std::vector<char> LoadedComponent::GetConfig() {
    if (!m_client) return {};
    VectorWriter writer;
    abort_callback_dummy abort;
    m_client->get_config(&writer, abort);
    return writer.m_bytes;
}

void LoadedComponent::ServicesInit(bool available) {
    if (m_client) m_client->services_init(available);
}

// Runs one of the start-up and shut-down hooks of this component's own initquit services.
void LoadedComponent::RunInitQuitHooks(void (initquit::*hook)()) {
    for (size_t i = 0; i < m_instances.size(); ++i) {
        if (!pfc::guid_equal(m_classes[i], initquit::class_guid)) continue;
        service_ptr_t<initquit> service;
        if (m_instances[i].cast(service)) (service.get_ptr()->*hook)();
    }
}

void LoadedComponent::Init() { RunInitQuitHooks(&initquit::on_init); }

void LoadedComponent::Quit() { RunInitQuitHooks(&initquit::on_quit); }

void LoadedComponent::Unload() {
    if (!m_module) return;
    // Nothing of the component may be called once its code is gone.
    for (const service_ptr_t<service_base>& instance : m_instances) m_host.UnregisterService(instance.get_ptr());
    m_instances.clear();
    m_classes.clear();
    m_host.Playback().UnregisterCallbacksIn(m_module);
    DestroyWindowsOf(m_module);
    m_client = nullptr;
    FreeLibrary(m_module);
    m_module = nullptr;
}

} // namespace fb2k_host
