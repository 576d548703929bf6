#pragma once
// The services behind the player's main-menu submenu "Trelvane" and its four commands.
#include "sdk/menu.h"

class TVFMainMenuMain : public mainmenu_group_popup {
public:
    GUID* get_guid(GUID* out) override;
    GUID* get_parent(GUID* out) override;
    t_uint32 get_sort_priority() override;
    void get_display_string(pfc::string_base& out) override;
};

class TVFMainMenuSub : public mainmenu_commands {
public:
    t_uint32 get_command_count() override;
    GUID* get_command(GUID* out, t_uint32 index) override;
    void get_name(t_uint32 index, pfc::string_base& out) override;
    bool get_description(t_uint32 index, pfc::string_base& out) override;
    GUID* get_parent(GUID* out) override;
    t_uint32 get_sort_priority() override;
    bool get_display(t_uint32 index, pfc::string_base& text, t_uint32& flags) override;
    void execute(t_uint32 index, service_by_value<service_base> callback) override;
};
