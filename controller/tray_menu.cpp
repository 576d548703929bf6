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

namespace {

HBITMAP LoadMenuBitmap(HINSTANCE module, WORD id) { return id ? LoadBitmapW(module, MAKEINTRESOURCEW(id)) : nullptr; }

// The bitmaps stay with the menu for the life of the process.
void SetItemBitmaps(HMENU menu, HINSTANCE module) {
    for (size_t i = 0; i < kTrayMenuItemCount; ++i) {
        const TrayMenuItem& entry = kTrayMenuItems[i];
        if (!entry.unchecked && !entry.checked) continue;
        const bool byPosition = entry.command == 0;
        SetMenuItemBitmaps(menu, byPosition ? static_cast<UINT>(entry.position) : entry.command,
                           byPosition ? MF_BYPOSITION : MF_BYCOMMAND, LoadMenuBitmap(module, entry.unchecked),
                           LoadMenuBitmap(module, entry.checked));
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
HMENU LoadTrayPopup(HINSTANCE module, WORD resource) {
    HMENU bar = LoadMenuW(module, MAKEINTRESOURCEW(resource));
    if (!bar) return nullptr;
    HMENU popup = GetSubMenu(bar, 0);
    // Removing the item leaves its popup alive; destroying the bar then takes nothing else.
    if (popup) RemoveMenu(bar, 0, MF_BYPOSITION);
    DestroyMenu(bar);
    return popup;
}

} // namespace

void Trelvane::BuildTrayMenu() {
    HINSTANCE module = core_api::get_my_instance();
    hMenu = LoadTrayPopup(module, kTrayMenuResource);
    if (!hMenu) return;
    if (GetPlayerKeyInt(L"ShowExitMenuItem", 1) == 0) RemoveMenu(hMenu, kQuitItem, MF_BYCOMMAND);
    SetItemBitmaps(hMenu, module);
    InitMenuText();
    AddMenuTitle(hMenu);
}

void Trelvane::InitMenuText() {
    HINSTANCE module = core_api::get_my_instance();
    WORD language = static_cast<WORD>(cfg::Language & 0xFFFF);
    int count = GetMenuItemCount(hMenu);
    for (int position = 0; position < count; ++position) SetMenuString(module, hMenu, position, language);
    HMENU load = GetSubMenu(hMenu, TRAY_MENU_LOAD_POSITION);
    for (int position : {0, 1, 2}) SetMenuString(module, load, position, language);
    HMENU configuration = GetSubMenu(hMenu, TRAY_MENU_CONFIGURATION_POSITION);
    for (int position : {0, 1, 3, 4}) SetMenuString(module, configuration, position, language);
}
