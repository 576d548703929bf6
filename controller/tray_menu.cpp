// The tray popup menu's set-up at start-up: the menu resource, the optional quit item, the
// item bitmaps, the localised texts and the owner-drawn title band.
#include "controller/Trelvane.h"

#include "controller/tray_menu_commands.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include "settings/strings.h"
#include "base/menu_search.h"

namespace {

// A bitmap kept in `owners`, which the menu's owner keeps for as long as the menu.
HBITMAP LoadMenuBitmap(HINSTANCE module, WORD id, std::vector<UniqueBitmap>& owners) {
    if (!id) return nullptr;
    owners.emplace_back(LoadBitmapW(module, MAKEINTRESOURCEW(id)));
    return owners.back().get();
}

// The menu does not own the bitmaps it shows: `owners` does.
void SetItemBitmaps(HMENU menu, HINSTANCE module, std::vector<UniqueBitmap>& owners) {
    for (size_t i = 0; i < kTrayMenuItemCount; ++i) {
        const TrayMenuItem& entry = kTrayMenuItems[i];
        if (!entry.unchecked && !entry.checked) continue;
        HBITMAP unchecked = LoadMenuBitmap(module, entry.unchecked, owners);
        HBITMAP checked = LoadMenuBitmap(module, entry.checked, owners);
        if (entry.command) {
            SetMenuItemBitmaps(menu, entry.command, MF_BYCOMMAND, unchecked, checked);
        } else if (MenuItemPlace sub = FindSubMenuHolding(menu, entry.heldCommand)) {
            SetMenuItemBitmaps(sub.menu, static_cast<UINT>(sub.position), MF_BYPOSITION, unchecked, checked);
        }
    }
}

} // namespace

void AddMenuTitle(HMENU menu) {
    uCallStackTracker tracker("AddMenuTitle()");
    int last = GetMenuItemCount(menu) - 1;
    if (last < 0) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(MENUITEMINFOW);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(last), TRUE, &info);
    info.fType |= MFT_OWNERDRAW;
    SetMenuItemInfoW(menu, static_cast<UINT>(last), TRUE, &info);
}

namespace {

// The popup of the menu resource, detached from its menu bar, which is destroyed: only the
// popup is shown and kept.
UniqueMenu LoadTrayPopup(HINSTANCE module, WORD resource) {
    UniqueMenu bar(LoadMenuW(module, MAKEINTRESOURCEW(resource)));
    if (!bar) return UniqueMenu();
    HMENU popup = GetSubMenu(bar.get(), 0);
    // Removing the item leaves its popup alive; destroying the bar then takes nothing else.
    if (popup) RemoveMenu(bar.get(), 0, MF_BYPOSITION);
    return UniqueMenu(popup);
}

} // namespace

void Trelvane::BuildTrayMenu() {
    HINSTANCE module = core_api::get_my_instance();
    // The new menu goes first, then the bitmaps the old one showed.
    trayMenu = LoadTrayPopup(module, kTrayMenuResource);
    menuBitmaps.clear();
    if (!trayMenu) return;
    if (!SwitchOn(RegistrySwitch::ShowExitMenuItem)) RemoveMenu(TrayMenu(), kQuitItem, MF_BYCOMMAND);
    SetItemBitmaps(TrayMenu(), module, menuBitmaps);
    InitMenuText();
    AddMenuTitle(TrayMenu());
}

void Trelvane::InitMenuText() {
    HINSTANCE module = core_api::get_my_instance();
    WORD language = static_cast<WORD>(cfg::Language & 0xFFFF);
    // Every item at every depth: an item that is no string id (a separator, the title band)
    // is left as it is.
    ForEachMenuItem(TrayMenu(), [&](HMENU menu, int position) { SetMenuString(module, menu, position, language); });
}
