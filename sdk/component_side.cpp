// The component's half of the host interface: the factory list, the core interface it was
// given, and service lookup through it.
#include "core_api.h"
#include "popup_message.h"
#include "service_factory.h"

foobar2000_api* g_foobar2000_api = nullptr;
HINSTANCE g_hInstance = nullptr;
bool g_services_available = false;
bool g_initialized = false;

namespace {
service_factory_base*& factory_list_head() {
    static service_factory_base* head = nullptr;
    return head;
}
} // namespace

service_factory_base::service_factory_base(const GUID& class_guid)
    : m_next(factory_list_head()), m_class_guid(&class_guid) {
    factory_list_head() = this;
}

service_factory_base* service_factory_base::list_head() { return factory_list_head(); }

service_ptr_t<service_base> fb2k_get_single_service(const GUID& class_guid) {
    if (!g_foobar2000_api) throw exception_service_not_found();
    const void* handle = g_foobar2000_api->service_enum_find_class(class_guid);
    t_size count = handle ? g_foobar2000_api->service_enum_get_count(handle) : 0;
    if (count == 0) throw exception_service_not_found();
    if (count > 1) throw exception_service_duplicated();
    service_ptr_t<service_base> found;
    if (!g_foobar2000_api->service_enum_create(found, handle, 0) || !found.is_valid())
        throw exception_service_not_found();
    return found;
}

namespace core_api {
HWND get_main_window() { return g_foobar2000_api ? g_foobar2000_api->get_main_window() : nullptr; }
HINSTANCE get_my_instance() { return g_hInstance; }
bool are_services_available() { return g_services_available; }
} // namespace core_api

void popup_message::g_show(const char* message, const char* title, t_icon icon) {
    standard_api_create_t<popup_message>()->show_ex(message, pfc_infinite, title, pfc_infinite, icon);
}
