#pragma once
// The player's main menu: groups, command providers, and the lookup of a command by GUID.
#include "service.h"

class mainmenu_commands : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(mainmenu_commands, 0x35077B8C, 0x6E70, 0x47BA, 0xB9, 0xDD, 0xD5, 0x15, 0x00, 0xE1, 0x2F, 0x2E)
public:
    enum : t_uint32 { flag_disabled = 1 << 0, flag_checked = 1 << 1, flag_radiochecked = 1 << 2 };
    static constexpr t_uint32 sort_priority_dontcare = 0x80000000u;

    virtual t_uint32 get_command_count() = 0;
    virtual GUID get_command(t_uint32 index) = 0;
    virtual void get_name(t_uint32 index, pfc::string_base& out) = 0;
    virtual bool get_description(t_uint32 index, pfc::string_base& out) = 0;
    virtual GUID get_parent() = 0;
    virtual t_uint32 get_sort_priority() { return sort_priority_dontcare; }
    virtual bool get_display(t_uint32 index, pfc::string_base& text, t_uint32& flags) {
        flags = 0;
        get_name(index, text);
        return true;
    }
    virtual void execute(t_uint32 index, service_ptr_t<service_base> callback) = 0;
};

class mainmenu_group : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(mainmenu_group, 0x21656AB9, 0x0255, 0x4F8C, 0x8F, 0xB2, 0x1A, 0x77, 0x48, 0xBC, 0xE9, 0x3A)
public:
    virtual GUID get_guid() = 0;
    virtual GUID get_parent() = 0;
    virtual t_uint32 get_sort_priority() = 0;
};

class mainmenu_group_popup : public mainmenu_group {
    FB2K_MAKE_SERVICE_INTERFACE(mainmenu_group_popup, mainmenu_group, 0x1DE7E4D8, 0x2A4B, 0x4B5B, 0x9C, 0x6E, 0x3F, 0x0A, 0x71, 0x55, 0x2D, 0x9E)
public:
    virtual void get_display_string(pfc::string_base& out) = 0;
};

class menu_item_resolver : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(menu_item_resolver, 0xAC70ECDC, 0x0E1D, 0x4DB2, 0x9C, 0xD0, 0xC9, 0xB8, 0xA9, 0xCD, 0x28, 0xFA)
public:
    // Finds the provider and index of a main-menu command; false when no provider has it.
    virtual bool resolve_main_command(const GUID& command, service_ptr_t<mainmenu_commands>& out,
                                      t_uint32& out_index) = 0;
};
