#pragma once
// The player's core interface as a component sees it, and the lookup of services by class GUID.
#include "service.h"

// Implemented by the player and handed to the component's entry point.
class foobar2000_api {
public:
    virtual t_size service_enum_get_count(const GUID& class_guid) = 0;
    // Creates instance `index` of the class; false when there is none.
    virtual bool service_enum_create(service_ptr_t<service_base>& out, const GUID& class_guid, t_size index) = 0;
    virtual HWND get_main_window() = 0;
    virtual bool is_main_thread() = 0;
    virtual const char* get_profile_path() = 0;
protected:
    ~foobar2000_api() = default;
};

class exception_service_not_found : public pfc::exception {
public:
    exception_service_not_found() : pfc::exception("Service not found") {}
};
class exception_service_duplicated : public pfc::exception {
public:
    exception_service_duplicated() : pfc::exception("Service duplicated") {}
};

// The core interface the component was given; set by the entry point.
extern foobar2000_api* g_foobar2000_api;

namespace core_api {
HWND get_main_window();
HINSTANCE get_my_instance();
bool are_services_available();
} // namespace core_api

// The one instance of a class; throws when the player has none or more than one.
service_ptr_t<service_base> fb2k_get_single_service(const GUID& class_guid);

template <typename T> service_ptr_t<T> standard_api_create_t() {
    service_ptr_t<service_base> found = fb2k_get_single_service(T::class_guid);
    service_ptr_t<T> typed;
    if (!found.cast(typed)) throw exception_service_not_found();
    return typed;
}

// Walks every instance of a class, in registration order.
template <typename T> class service_enum_t {
public:
    bool next(service_ptr_t<T>& out) {
        service_ptr_t<service_base> found;
        while (g_foobar2000_api && g_foobar2000_api->service_enum_create(found, T::class_guid, m_index++)) {
            if (found.cast(out)) return true;
        }
        return false;
    }
private:
    t_size m_index = 0;
};
