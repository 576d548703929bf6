#pragma once
// The commands that loaded components add to the player's main menu, shown in the stand-in
// player's menu bar: each popup group that a component puts under one of the player's
// top-level menus (File, Edit, View, Playback, Library, Help) becomes a submenu there, holding
// the commands of the providers that name the group as their parent.
#include "sdk/menu.h"
#include <windows.h>
#include <vector>

namespace fb2k_host {

class Host;

class ComponentMenus {
public:
    // Menu ids from here on belong to component commands.
    static constexpr UINT kFirstCommandId = 0x4000;

    // Adds the components' submenus to the menu bar (a top-level menu is created when the bar
    // has none of that name yet) and remembers which id runs which command.
    void Build(Host& host, HMENU bar);
    // Runs the command behind a menu id; false when the id is not one of ours.
    bool Execute(UINT id);
    // Lets go of the components' services; the menus themselves stay but do nothing more.
    // Called before the components are unloaded.
    void Clear() { m_commands.clear(); }

private:
    struct Command {
        service_ptr_t<mainmenu_commands> provider;
        t_uint32 index;
    };
    void AddCommandsOfGroup(Host& host, const GUID& group, HMENU submenu);
    std::vector<Command> m_commands;
};

} // namespace fb2k_host
