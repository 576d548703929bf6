#include "host/component_menus.h"

#include "host/host_core.h"
#include "host/text.h"
#include <algorithm>
#include <exception>
#include <string>

namespace fb2k_host {

namespace {

struct TopLevelMenu {
    GUID group;
    const wchar_t* name;
};

// The player's top-level main-menu groups, under the GUIDs it publishes them with.
const TopLevelMenu kTopLevelMenus[] = {
    {{0x8F487F1F, 0x419F, 0x47A7, {0x8E, 0xCF, 0xEC, 0x44, 0xAF, 0x44, 0x49, 0xA3}}, L"&File"},
    {{0x8CDA6B10, 0x0613, 0x4CFD, {0x87, 0x30, 0x3B, 0x9C, 0xBF, 0x4C, 0x6A, 0x39}}, L"&Edit"},
    {{0xF8BE5604, 0x165F, 0x4BB9, {0xB6, 0xA9, 0x15, 0xE5, 0x5E, 0x0E, 0x0D, 0x3A}}, L"&View"},
    {{0x53FA5B8A, 0xFCBC, 0x4296, {0xB9, 0x68, 0x45, 0xBA, 0xE6, 0x88, 0x88, 0x45}}, L"&Playback"},
    {{0x15D22753, 0x9D30, 0x4929, {0xAA, 0x14, 0x51, 0x24, 0x01, 0x6F, 0x7E, 0x68}}, L"&Library"},
    {{0x25DC3DB7, 0x996A, 0x4F48, {0xAF, 0x53, 0x71, 0x2F, 0x03, 0x2E, 0xFA, 0x04}}, L"&Help"},
};

struct PopupGroup {
    service_ptr_t<mainmenu_group_popup> group;
    t_uint32 priority;
};

// The bar's top-level popup of that name, created at the end of the bar if it has none.
HMENU TopLevelPopup(HMENU bar, const wchar_t* name) {
    for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        HMENU popup = GetSubMenu(bar, i);
        if (popup && std::wstring(text) == name) return popup;
    }
    HMENU popup = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    return popup;
}

std::vector<PopupGroup> PopupGroupsUnder(Host& host, const GUID& parent) {
    std::vector<PopupGroup> groups;
    service_ptr_t<service_base> found;
    for (t_size i = 0; host.CreateService(found, mainmenu_group::class_guid, i); ++i) {
        service_ptr_t<mainmenu_group_popup> popup;
        if (!found.cast(popup) || !pfc::guid_equal(popup->parent_guid(), parent)) continue;
        groups.push_back({popup, popup->get_sort_priority()});
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const PopupGroup& a, const PopupGroup& b) { return a.priority < b.priority; });
    return groups;
}

UINT MenuFlags(t_uint32 displayFlags) {
    UINT flags = MF_STRING;
    if (displayFlags & mainmenu_commands::flag_disabled) flags |= MF_GRAYED;
    if (displayFlags & (mainmenu_commands::flag_checked | mainmenu_commands::flag_radiochecked)) flags |= MF_CHECKED;
    return flags;
}

} // namespace

void ComponentMenus::Build(Host& host, HMENU bar) {
    try {
        for (const TopLevelMenu& top : kTopLevelMenus) {
            std::vector<PopupGroup> groups = PopupGroupsUnder(host, top.group);
            if (groups.empty()) continue;
            HMENU parent = TopLevelPopup(bar, top.name);
            for (const PopupGroup& entry : groups) {
                pfc::string8 name;
                entry.group->get_display_string(name);
                HMENU submenu = CreatePopupMenu();
                AddCommandsOfGroup(host, entry.group->group_guid(), submenu);
                AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), Utf8ToWide(name.get_ptr()).c_str());
            }
        }
    } catch (const std::exception&) {
        // A component that fails while describing its menus gets no menus; the player goes on.
    }
}

void ComponentMenus::AddCommandsOfGroup(Host& host, const GUID& group, HMENU submenu) {
    service_ptr_t<service_base> found;
    for (t_size p = 0; host.CreateService(found, mainmenu_commands::class_guid, p); ++p) {
        service_ptr_t<mainmenu_commands> provider;
        if (!found.cast(provider) || !pfc::guid_equal(provider->parent_guid(), group)) continue;
        for (t_uint32 i = 0, n = provider->get_command_count(); i < n; ++i) {
            pfc::string8 text;
            t_uint32 flags = 0;
            if (!provider->get_display(i, text, flags)) continue;
            UINT id = kFirstCommandId + static_cast<UINT>(m_commands.size());
            m_commands.push_back({provider, i});
            AppendMenuW(submenu, MenuFlags(flags), id, Utf8ToWide(text.get_ptr()).c_str());
        }
    }
}

bool ComponentMenus::Execute(UINT id) {
    if (id < kFirstCommandId || id - kFirstCommandId >= m_commands.size()) return false;
    Command& command = m_commands[id - kFirstCommandId];
    try {
        command.provider->execute(command.index, hand_over(service_ptr_t<service_base>()));
    } catch (const std::exception&) {
        // The component reports its own failures; the menu stays usable.
    }
    return true;
}

} // namespace fb2k_host
