#pragma once
// The tray popup menu's items, one table: what each shows, its glyphs and what choosing it does.
#include <windows.h>

class Trelvane;

typedef void (*TrayMenuHandler)(Trelvane&);

// One item of the popup. Items are found by command id; a sub-menu has none and is found by
// a command it holds, wherever it stands.
struct TrayMenuItem {
    UINT command;            // command id, 0 for a sub-menu
    UINT heldCommand;        // a sub-menu's: the command of one of its own items; 0 for a command
    UINT text;               // string id the menu resource gives as the item's text
    WORD unchecked;          // bitmap resource shown beside the item, 0 for none
    WORD checked;            // bitmap resource shown when the item is checked, 0 for none
    TrayMenuHandler handler; // what choosing the item does, null for a sub-menu
};

// Every item that carries a glyph or a command, in the order their glyphs are set.
extern const TrayMenuItem kTrayMenuItems[];
extern const size_t kTrayMenuItemCount;

// Carries out the command the menu returned. An id no item owns (0 when the menu was
// dismissed) goes to the player's main window as a WM_COMMAND, as the player's own would.
void RunTrayMenuCommand(Trelvane& controller, UINT command);
