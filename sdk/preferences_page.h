#pragma once
// The player's preferences dialog: pages that it lists in its tree, and the instance of a
// page that it creates while the user has that page open.
#include "service.h"

// Handed to a page instance by the player; the instance calls it whenever its state may have
// changed, and the player then asks get_state() again (to enable its Apply and Reset buttons).
class preferences_page_callback : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_callback, service_base, 0x3A7C1E52, 0x9D04, 0x4F6B, 0x8E, 0x21, 0x5C,
                                0x93, 0x0B, 0x7D, 0x4A, 0xE6)
public:
    virtual void on_state_changed() = 0;
};

// An open page: its dialog window, and what the player's buttons do to it.
class preferences_page_instance : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_instance, service_base, 0x6E2B9F14, 0x53C8, 0x4A0D, 0xB7, 0x42,
                                0x19, 0xE5, 0x88, 0x3F, 0xC0, 0x6D)
public:
    // Bits of get_state().
    enum : t_uint32 {
        changed = 1,               // the page differs from the stored settings: Apply is offered
        needs_restart = 2,         // applied settings take effect only after the player restarts
        needs_restart_playback = 4,// applied settings take effect with the next track
        resettable = 8,            // the page can put default values into its controls: Reset is offered
    };
    virtual t_uint32 get_state() = 0;
    virtual HWND get_wnd() = 0;
    // Stores what the page shows.
    virtual void apply() = 0;
    // Puts default values into the page's controls without storing them.
    virtual void reset() = 0;
};

// A page of the player's preferences tree.
class preferences_page : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(preferences_page, 0x7255E8D0, 0x3FCF, 0x4781, 0xB9, 0x3B, 0xD0, 0x6C, 0xB8, 0x8D,
                                 0xFA, 0xFA)
public:
    virtual const char* get_name() = 0;
    virtual GUID get_guid() = 0;
    // The page under which this one is listed.
    virtual GUID get_parent_guid() = 0;
    // The address of the page's help; false when it has none.
    virtual bool get_help_url(pfc::string_base& out) { (void)out; return false; }
    virtual double get_sort_priority() { return 0; }
};

// A page whose window lives in an instance that the player creates for each visit.
class preferences_page_v3 : public preferences_page {
    FB2K_MAKE_SERVICE_INTERFACE(preferences_page_v3, preferences_page, 0xC1D84A37, 0x6B2E, 0x4E90, 0xA5, 0x1F, 0x7D,
                                0x36, 0xE2, 0x94, 0x0C, 0x58)
public:
    virtual service_ptr_t<preferences_page_instance> instantiate(HWND parent,
                                                                 service_ptr_t<preferences_page_callback> callback) = 0;
};
