#pragma once
// The player's core interface as a component sees it, and the lookup of services by class GUID.
#include "service.h"

// Implemented by the player and handed to the component's entry point.
class foobar2000_api {
public:
    // An opaque handle for the class; what the other lookups take.
    virtual const void* service_enum_find_class(const GUID& class_guid) = 0; // 0
    // Creates instance `index` of the class; false when there is none.
    virtual bool service_enum_create(service_ptr_t<service_base>& out, const void* class_handle, t_size index) = 0; // 1
    virtual t_size service_enum_get_count(const void* class_handle) = 0;                                            // 2
    virtual HWND get_main_window() = 0;                                                                             // 3
    virtual bool assert_main_thread() = 0;                                                                          // 4
    virtual bool is_main_thread() = 0;                                                                              // 5
    virtual bool is_shutting_down() = 0;                                                                            // 6
    // The profile folder as a "file://" address in UTF-8.
    virtual const char* get_profile_path() = 0;  // 7
    virtual bool is_initializing() = 0;          // 8
    virtual bool is_portable_mode_enabled() = 0; // 9
    virtual bool is_quiet_mode_enabled() = 0;    // 10
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

// The player hands out entry-point objects as their own interface: no query is needed.
template <typename T> service_ptr_t<T> standard_api_create_t() {
    service_ptr_t<service_base> found = fb2k_get_single_service(T::class_guid);
    service_ptr_t<T> typed;
    typed.attach(static_cast<T*>(found.detach()));
    return typed;
}

// Walks every instance of a class, in registration order.
template <typename T> class service_enum_t {
public:
    bool next(service_ptr_t<T>& out) {
        service_ptr_t<service_base> found;
        if (!g_foobar2000_api) return false;
        const void* handle = g_foobar2000_api->service_enum_find_class(T::class_guid);
        while (handle && g_foobar2000_api->service_enum_create(found, handle, m_index++)) {
            if (!found.is_valid()) continue;
            out.attach(static_cast<T*>(found.detach()));
            return true;
        }
        return false;
    }

private:
    t_size m_index = 0;
};
