#pragma once
// Owners of a window and of GDI drawing objects (fonts, brushes, pens).
#include "base/unique_handle.h"

#include <windows.h>

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

typedef UniqueHandle<HWND, WindowDestroyer> UniqueWindow;
typedef UniqueHandle<HFONT, GdiObjectDeleter> UniqueFont;
typedef UniqueHandle<HBRUSH, GdiObjectDeleter> UniqueBrush;
typedef UniqueHandle<HPEN, GdiObjectDeleter> UniquePen;

// Selects an object into a device context for one scope and puts the previous one back.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (m_previous) SelectObject(m_dc, m_previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
