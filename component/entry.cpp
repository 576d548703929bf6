// The component's single export and the client object through which the player walks the
// service list and saves and restores the configuration.
#include "component/client.h"

#include "sdk/boundary.h"
#include "sdk/cfg_var.h"
#include "sdk/client.h"
#include "sdk/core_api.h"

extern HINSTANCE g_hInstance;
extern bool g_services_available;
extern bool g_initialized;

namespace {

pfc::string8 libraryPath;
pfc::string8 libraryName;

class TrelvaneClient : public foobar2000_client {
public:
    t_uint32 get_version() override { return FOOBAR2000_CLIENT_VERSION; }
    service_factory_base* get_service_list() override { return service_factory_base::list_head(); }
    void get_config(stream_writer* stream, abort_callback& abort) override {
        fb2k::guarded([&] { cfg_var::config_write_all(stream, abort); });
    }
    void set_config(stream_reader* stream, abort_callback& abort) override {
        fb2k::guarded([&] { cfg_var::config_read_all(stream, abort); });
    }
    void set_library_path(const char* path, const char* name) override {
        fb2k::guarded([&] {
            libraryPath = path ? path : "";
            libraryName = name ? name : "";
        });
    }
    void services_init(bool val) override {
        if (val) g_services_available = true;
        g_initialized = val;
    }
    bool is_debug() override { return false; }
};

TrelvaneClient client;

} // namespace

namespace client_state {
const char* LibraryPath() { return libraryPath.get_ptr(); }
const char* LibraryName() { return libraryName.get_ptr(); }
bool ServicesAvailable() { return g_services_available; }
bool Initialized() { return g_initialized; }
} // namespace client_state

extern "C" __declspec(dllexport) foobar2000_client* foobar2000_get_interface(foobar2000_api* api, HINSTANCE instance) {
    g_foobar2000_api = api;
    g_hInstance = instance;
    return &client;
}
