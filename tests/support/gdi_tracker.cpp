// Hooks on the creating and releasing functions of device contexts, bitmaps and icons.
#include "tests/support/gdi_tracker.h"
#include "base/gdi_handles.h"

GdiTracker* GdiTracker::s_active = nullptr;

struct GdiTrackerHooks {
    static IatHook* hook[11];
    enum {
        kCreateCompatibleDC,
        kDeleteDC,
        kDeleteObject,
        kCreateDIBSection,
        kCreateBitmap,
        kLoadBitmapW,
        kLoadImageW,
        kCreateIconIndirect,
        kDestroyIcon,
        kGetIconInfo,
        kCreateCompatibleBitmap
    };

    template <typename F> static F Original(int which) { return OriginalOf<F>(*hook[which]); }
    static void Track(HANDLE created) {
        if (created && GdiTracker::s_active) GdiTracker::s_active->Created(created);
    }
    static void Untrack(HANDLE released, bool succeeded) {
        if (released && GdiTracker::s_active) GdiTracker::s_active->Released(released, succeeded);
    }

    static HDC WINAPI CreateCompatibleDC_(HDC dc) {
        HDC made = Original<decltype(&CreateCompatibleDC)>(kCreateCompatibleDC)(dc);
        Track(made);
        return made;
    }
    static BOOL WINAPI DeleteDC_(HDC dc) {
        BOOL done = Original<decltype(&DeleteDC)>(kDeleteDC)(dc);
        Untrack(dc, done);
        return done;
    }
    static BOOL WINAPI DeleteObject_(HGDIOBJ object) {
        BOOL done = Original<decltype(&DeleteObject)>(kDeleteObject)(object);
        Untrack(object, done);
        return done;
    }
    static HBITMAP WINAPI CreateDIBSection_(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                            DWORD offset) {
        HBITMAP made = Original<decltype(&CreateDIBSection)>(kCreateDIBSection)(dc, info, usage, bits, section, offset);
        Track(made);
        return made;
    }
    static HBITMAP WINAPI CreateBitmap_(int width, int height, UINT planes, UINT bits, const void* data) {
        HBITMAP made = Original<decltype(&CreateBitmap)>(kCreateBitmap)(width, height, planes, bits, data);
        Track(made);
        return made;
    }
    static HBITMAP WINAPI LoadBitmapW_(HINSTANCE instance, LPCWSTR name) {
        HBITMAP made = Original<decltype(&LoadBitmapW)>(kLoadBitmapW)(instance, name);
        Track(made);
        return made;
    }
    static HANDLE WINAPI LoadImageW_(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
        HANDLE made = Original<decltype(&LoadImageW)>(kLoadImageW)(instance, name, type, cx, cy, flags);
        // Shared images belong to the system.
        if (!(flags & LR_SHARED)) Track(made);
        return made;
    }
    static HICON WINAPI CreateIconIndirect_(PICONINFO info) {
        HICON made = Original<decltype(&CreateIconIndirect)>(kCreateIconIndirect)(info);
        Track(made);
        return made;
    }
    static BOOL WINAPI DestroyIcon_(HICON icon) {
        BOOL done = Original<decltype(&DestroyIcon)>(kDestroyIcon)(icon);
        Untrack(icon, done);
        return done;
    }
    static HBITMAP WINAPI CreateCompatibleBitmap_(HDC dc, int width, int height) {
        HBITMAP made = Original<decltype(&CreateCompatibleBitmap)>(kCreateCompatibleBitmap)(dc, width, height);
        Track(made);
        return made;
    }
    static BOOL WINAPI GetIconInfo_(HICON icon, PICONINFO info) {
        BOOL done = Original<decltype(&GetIconInfo)>(kGetIconInfo)(icon, info);
        if (done) {
            Track(info->hbmColor);
            Track(info->hbmMask);
        }
        return done;
    }
};
IatHook* GdiTrackerHooks::hook[11] = {};

GdiTracker::GdiTracker(HMODULE module) {
    struct Entry {
        const char* dll;
        const char* name;
        void* replacement;
    };
    const Entry entries[11] = {
        {"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*>(&GdiTrackerHooks::CreateCompatibleDC_)},
        {"gdi32.dll", "DeleteDC", reinterpret_cast<void*>(&GdiTrackerHooks::DeleteDC_)},
        {"gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&GdiTrackerHooks::DeleteObject_)},
        {"gdi32.dll", "CreateDIBSection", reinterpret_cast<void*>(&GdiTrackerHooks::CreateDIBSection_)},
        {"gdi32.dll", "CreateBitmap", reinterpret_cast<void*>(&GdiTrackerHooks::CreateBitmap_)},
        {"user32.dll", "LoadBitmapW", reinterpret_cast<void*>(&GdiTrackerHooks::LoadBitmapW_)},
        {"user32.dll", "LoadImageW", reinterpret_cast<void*>(&GdiTrackerHooks::LoadImageW_)},
        {"user32.dll", "CreateIconIndirect", reinterpret_cast<void*>(&GdiTrackerHooks::CreateIconIndirect_)},
        {"user32.dll", "DestroyIcon", reinterpret_cast<void*>(&GdiTrackerHooks::DestroyIcon_)},
        {"user32.dll", "GetIconInfo", reinterpret_cast<void*>(&GdiTrackerHooks::GetIconInfo_)},
        {"gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<void*>(&GdiTrackerHooks::CreateCompatibleBitmap_)},
    };
    s_active = this;
    for (int i = 0; i < 11; ++i) {
        m_hooks.emplace_back(new IatHook(module, entries[i].dll, entries[i].name, entries[i].replacement));
        GdiTrackerHooks::hook[i] = m_hooks.back().get();
    }
}

GdiTracker::~GdiTracker() {
    s_active = nullptr;
    m_hooks.clear();
}

bool GdiTracker::Installed() const {
    // The functions the strip always uses must be hooked; the others may not be imported.
    for (int i : {GdiTrackerHooks::kCreateCompatibleDC, GdiTrackerHooks::kDeleteDC, GdiTrackerHooks::kDeleteObject,
                  GdiTrackerHooks::kCreateIconIndirect, GdiTrackerHooks::kDestroyIcon})
        if (!m_hooks[i]->Installed()) return false;
    return true;
}

size_t GdiTracker::LiveByObjectType() const {
    // The probes below go through the hooked functions too; they must not count.
    GdiTracker* active = s_active;
    s_active = nullptr;
    size_t live = 0;
    for (HANDLE handle : m_live) {
        if (m_icons.count(handle)) {
            ICONINFO info = {};
            if (GetIconInfo(static_cast<HICON>(handle), &info)) {
                ++live;
                UniqueBitmap(info.hbmColor).reset();
                UniqueBitmap(info.hbmMask).reset();
            }
        } else if (GetObjectType(handle) != 0) {
            ++live;
        }
    }
    s_active = active;
    return live;
}

void GdiTracker::Created(HANDLE handle) {
    ++m_created;
    m_live.insert(handle);
    if (GetObjectType(handle) == 0) m_icons.insert(handle);
}

void GdiTracker::Released(HANDLE handle, bool succeeded) {
    if (!succeeded) return;
    ++m_released;
    m_live.erase(handle);
    m_icons.erase(handle);
}
