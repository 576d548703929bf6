#pragma once
// The player's preferences dialog: pages that it lists in its tree, and the instance of a
// page that it creates while the user has that page open.
#include "service.h"

// Handed to a page instance by the player; the instance calls it whenever its state may have
// changed, and the player then asks get_state() again (to enable its Apply and Reset buttons).
class preferences_page_callback : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_callback, service_base, 0x3D26E08E, 0x861C, 0x4599, 0x9C, 0x89, 0xAA,
                                0xA7, 0x19, 0xAF, 0x50, 0x70)
public:
    virtual void on_state_changed() = 0; // 3
};

// An open page: its dialog window, and what the player's buttons do to it.
class preferences_page_instance : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_instance, service_base, 0x6893A996, 0xA816, 0x49FE, 0x82, 0xCE, 0x0C,
                                0xB8, 0x04, 0xA4, 0xCF, 0xEC)
public:
    // Bits of get_state().
    enum : t_uint32 {
        changed = 1,                // the page differs from the stored settings: Apply is offered
        needs_restart = 2,          // applied settings take effect only after the player restarts
        needs_restart_playback = 4, // applied settings take effect with the next track
        resettable = 8,             // the page can put default values into its controls: Reset is offered
    };
    virtual t_uint32 get_state() = 0; // 3
    virtual HWND get_wnd() = 0;       // 4
    // Stores what the page shows.
    virtual void apply() = 0; // 5
    // Puts default values into the page's controls without storing them.
    virtual void reset() = 0; // 6
};

// A page of the player's preferences tree.
class preferences_page : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(preferences_page, 0x7255E8D0, 0x3FCF, 0x4781, 0xB9, 0x3B, 0xD0, 0x6C, 0xB8, 0x8D, 0xFA,
                                 0xFA)
public:
    // The old way of making the page's window; pages with instances never answer it.
    virtual HWND create(HWND parent) = 0;  // 3
    virtual const char* get_name() = 0;    // 4
    virtual GUID* get_guid(GUID* out) = 0; // 5 (class result)
    // The page under which this one is listed.
    virtual GUID* get_parent_guid(GUID* out) = 0; // 6 (class result)
    virtual bool reset_query() = 0;               // 7
    virtual void reset() = 0;                     // 8
    // The address of the page's help; false when it has none.
    virtual bool get_help_url(pfc::string_base& out) = 0; // 9

    GUID page_guid() {
        GUID g;
        get_guid(&g);
        return g;
    }
    GUID parent_guid() {
        GUID g;
        get_parent_guid(&g);
        return g;
    }
};

class preferences_page_v2 : public preferences_page {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_v2, preferences_page, 0xCE4EBC9E, 0xAB20, 0x46F9, 0x92, 0x5F, 0x88,
                                0x3B, 0x08, 0x4F, 0x05, 0x69)
public:
    virtual double get_sort_priority() = 0; // 10
};

// A page whose window lives in an instance that the player creates for each visit.
class preferences_page_v3 : public preferences_page_v2 {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_v3, preferences_page_v2, 0xD6D0F741, 0x9F17, 0x4DF8, 0x9D, 0x5C, 0x87,
                                0xF2, 0x8B, 0x1F, 0x0E, 0x64)
public:
    // The callback arrives by value (the callee releases it); the instance is a class result.
    virtual service_ptr_t<preferences_page_instance>*
    instantiate(service_ptr_t<preferences_page_instance>* out, HWND parent,
                service_by_value<preferences_page_callback> callback) = 0; // 11

    service_ptr_t<preferences_page_instance> make_instance(HWND parent,
                                                           const service_ptr_t<preferences_page_callback>& callback) {
        service_ptr_t<preferences_page_instance> result; // empty: the callee constructs over it
        instantiate(&result, parent, hand_over(callback));
        return result;
    }
};
