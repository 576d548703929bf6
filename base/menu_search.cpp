// Walks over menus and their submenus.
#include "base/menu_search.h"

namespace {

// Deep menus are not made by hand; the limit keeps a menu that holds itself from looping.
constexpr int kDeepestSubMenu = 8;

bool HoldsCommand(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (!GetSubMenu(menu, position) && GetMenuItemID(menu, position) == command) return true;
    return false;
}

MenuItemPlace FindSubMenuHoldingAt(HMENU menu, UINT command, int depth) {
    if (depth > kDeepestSubMenu) return MenuItemPlace();
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        HMENU sub = GetSubMenu(menu, position);
        if (!sub) continue;
        if (HoldsCommand(sub, command)) return MenuItemPlace{menu, position};
        MenuItemPlace deeper = FindSubMenuHoldingAt(sub, command, depth + 1);
        if (deeper) return deeper;
    }
    return MenuItemPlace();
}

void ForEachMenuItemAt(HMENU menu, const std::function<void(HMENU, int)>& visit, int depth) {
    if (depth > kDeepestSubMenu) return;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        visit(menu, position);
        if (HMENU sub = GetSubMenu(menu, position)) ForEachMenuItemAt(sub, visit, depth + 1);
    }
}

} // namespace

MenuItemPlace FindSubMenuHolding(HMENU menu, UINT command) {
    return menu ? FindSubMenuHoldingAt(menu, command, 0) : MenuItemPlace();
}

void ForEachMenuItem(HMENU menu, const std::function<void(HMENU, int)>& visit) {
    if (menu) ForEachMenuItemAt(menu, visit, 0);
}
