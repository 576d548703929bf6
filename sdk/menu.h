#pragma once
// The player's main menu: groups, command providers, and the lookup of a command by GUID.
#include "service.h"

class mainmenu_commands : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(mainmenu_commands, 0x35077B8C, 0x6E70, 0x47BA, 0xB9, 0xDD, 0xD5, 0x15, 0x00, 0xE1,
                                 0x2F, 0x2E)
public:
    enum : t_uint32 {
        flag_disabled = 1 << 0,
        flag_checked = 1 << 1,
        flag_radiochecked = 1 << 2,
        flag_defaulthidden = 1 << 3
    };
    static constexpr t_uint32 sort_priority_dontcare = 0x80000000u;

    virtual t_uint32 get_command_count() = 0; // 3
    // The command's GUID (a class result: see abi.h).
    virtual GUID* get_command(GUID* out, t_uint32 index) = 0;                // 4
    virtual void get_name(t_uint32 index, pfc::string_base& out) = 0;        // 5
    virtual bool get_description(t_uint32 index, pfc::string_base& out) = 0; // 6
    virtual GUID* get_parent(GUID* out) = 0;                                 // 7
    virtual t_uint32 get_sort_priority() = 0;                                // 8
    // False hides the command; otherwise its text and flags.
    virtual bool get_display(t_uint32 index, pfc::string_base& text, t_uint32& flags) = 0; // 9
    // The context arrives by value: the callee releases it.
    virtual void execute(t_uint32 index, service_by_value<service_base> context) = 0; // 10

    GUID command_guid(t_uint32 index) {
        GUID g;
        get_command(&g, index);
        return g;
    }
    GUID parent_guid() {
        GUID g;
        get_parent(&g);
        return g;
    }
};

class mainmenu_group : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(mainmenu_group, 0x21656AB9, 0x0255, 0x4F8C, 0x8F, 0xB9, 0x1A, 0x77, 0x48, 0xBC, 0xE9,
                                 0x3A)
public:
    virtual GUID* get_guid(GUID* out) = 0;    // 3
    virtual GUID* get_parent(GUID* out) = 0;  // 4
    virtual t_uint32 get_sort_priority() = 0; // 5

    GUID group_guid() {
        GUID g;
        get_guid(&g);
        return g;
    }
    GUID parent_guid() {
        GUID g;
        get_parent(&g);
        return g;
    }
};

// A group shown as a submenu; the player learns this through a query for this interface.
class mainmenu_group_popup : public mainmenu_group {
    FB2K_MAKE_SERVICE_INTERFACE(mainmenu_group_popup, mainmenu_group, 0x2E673A2E, 0xA4EE, 0x419C, 0x94, 0xC8, 0x9C,
                                0x83, 0x86, 0x60, 0x41, 0x4C)
public:
    virtual void get_display_string(pfc::string_base& out) = 0; // 6
};

class contextmenu_item;

class menu_item_resolver : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(menu_item_resolver, 0xAC70ECDC, 0x0E1D, 0x4DB2, 0x9C, 0xD0, 0xC9, 0xB8, 0xA9, 0xCD,
                                 0x28, 0xFA)
public:
    FB2K_UNUSED_SLOT(resolve_context_command_slot) // 3
    // Finds the provider and index of a main-menu command; false when no provider has it.
    virtual bool resolve_main_command(const GUID& command, service_ptr_t<mainmenu_commands>& out,
                                      t_uint32& out_index) = 0; // 4
};
