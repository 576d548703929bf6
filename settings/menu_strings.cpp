// Translation of menu items whose resource text is a string id ("1101"). Once translated an
// item's text is no longer a number, so each item's id is remembered for a later change of
// language.
#include "settings/strings.h"

#include <map>

namespace {

constexpr int kMenuTextCapacity = 255; // at most 254 characters and the NUL
// Texts below this are not string ids (the owner-drawn title item, separators).
constexpr UINT kFirstStringId = IDS_FIRST;

typedef std::map<std::pair<HMENU, int>, UINT> MenuTextCache;

// Lives until the module is unloaded; the tray menu and the preferences preview share it.
MenuTextCache& Cache() {
    static MenuTextCache cache;
    return cache;
}

// An item whose text is still an id is fresh from its resource: its own text wins over the
// cache, which may remember another menu that had the same handle before it was destroyed.
UINT StringIdOf(HMENU menu, int position) {
    UINT fresh = LeadingNumber(GetMenuString(menu, position).c_str());
    auto key = std::make_pair(menu, position);
    auto found = Cache().find(key);
    if (found != Cache().end() && fresh < kFirstStringId) return found->second;
    Cache()[key] = fresh;
    return fresh;
}

} // namespace

std::wstring GetMenuString(HMENU menu, int position) {
    wchar_t text[kMenuTextCapacity] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, kMenuTextCapacity, MF_BYPOSITION);
    return text;
}

void SetMenuString(HINSTANCE module, HMENU menu, int position, WORD language) {
    UINT id = StringIdOf(menu, position);
    if (id < kFirstStringId) return;
    std::wstring text = LoadResString(module, id, language);
    // Only the text changes: the item keeps its command id, submenu, check mark and bitmaps.
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = &text[0];
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
}
