#pragma once
// Finding the items of a menu and its submenus by the commands they hold, whatever their
// positions.
#include <windows.h>

#include <functional>

// Where an item sits: the menu that holds it and its position there.
struct MenuItemPlace {
    HMENU menu = nullptr;
    int position = -1;
    explicit operator bool() const { return menu != nullptr; }
};

// The submenu item, in `menu` or any submenu below it, whose own submenu holds an item with
// `command`; empty when no submenu holds it.
MenuItemPlace FindSubMenuHolding(HMENU menu, UINT command);
// Calls `visit` for every item of `menu` and, after each submenu item, for the items of its
// submenu, depth first.
void ForEachMenuItem(HMENU menu, const std::function<void(HMENU menu, int position)>& visit);
