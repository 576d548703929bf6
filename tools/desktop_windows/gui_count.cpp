// Loaded into a process by gui_objects.exe: counts the process's GDI objects (every handle
// index GetObjectType knows; Wine takes a handle without its upper word) and its USER objects
// (its windows, menus, icons and cursors, by the same handle indices), writes
// "<gdi> <user> <windows> <menus>" next to itself as gui_count.dll.txt, and refuses to stay
// loaded. GDI first: the icon count makes and deletes bitmaps.
#include <windows.h>

#include <cstdio>

namespace {

constexpr ULONG_PTR kLastHandle = 0x10000;
constexpr ULONG_PTR kFirstUserHandle = 0x20;

unsigned GdiObjects() {
    unsigned count = 0;
    for (ULONG_PTR index = 1; index < kLastHandle; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    return count;
}

struct UserObjects {
    unsigned windows = 0;
    unsigned menus = 0;
    unsigned icons = 0;
};

bool IsIcon(HICON icon) {
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

UserObjects CountUserObjects() {
    UserObjects count;
    DWORD self = GetCurrentProcessId();
    for (ULONG_PTR value = kFirstUserHandle; value < kLastHandle; value += 2) {
        HWND window = reinterpret_cast<HWND>(value);
        if (IsWindow(window)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == self) ++count.windows;
        } else if (IsMenu(reinterpret_cast<HMENU>(value))) {
            ++count.menus;
        } else if (IsIcon(reinterpret_cast<HICON>(value))) {
            ++count.icons;
        }
    }
    return count;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    unsigned gdi = GdiObjects();
    UserObjects user = CountUserObjects();
    wchar_t path[MAX_PATH + 8] = {};
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    lstrcpyW(path + length, L".txt");
    if (FILE* file = _wfopen(path, L"w")) {
        std::fprintf(file, "%u %u %u %u\n", gdi, user.windows + user.menus + user.icons, user.windows, user.menus);
        std::fclose(file);
    }
    return FALSE;
}
