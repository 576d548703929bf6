#pragma once
// Owners of the GDI handles the component creates: icons, bitmaps, memory device contexts and
// drawing objects (fonts, brushes, pens).
#include "base/unique_handle.h"

#include <windows.h>

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct DCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

typedef UniqueHandle<HICON, IconDeleter> UniqueIcon;
typedef UniqueHandle<HBITMAP, BitmapDeleter> UniqueBitmap;
typedef UniqueHandle<HDC, DCDeleter> UniqueDC;
typedef UniqueHandle<HFONT, GdiObjectDeleter> UniqueFont;
typedef UniqueHandle<HBRUSH, GdiObjectDeleter> UniqueBrush;
typedef UniqueHandle<HPEN, GdiObjectDeleter> UniquePen;

// A memory device context compatible with the screen, with one bitmap selected into it.
// Owns both. The context's own default bitmap goes back in before either is deleted, so the
// bitmap is never deleted while selected.
class MemorySurface {
public:
    MemorySurface() = default;
    explicit MemorySurface(UniqueBitmap bitmap);
    ~MemorySurface() { reset(); }
    MemorySurface(MemorySurface&& other) noexcept;
    MemorySurface& operator=(MemorySurface&& other) noexcept;
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    HDC get() const { return m_dc.get(); }
    HBITMAP bitmap() const { return m_bitmap.get(); }
    // Both the context and its bitmap exist.
    explicit operator bool() const { return m_dc && m_bitmap && m_original; }
    // Takes the bitmap out of the context and hands it over; the context is deleted.
    UniqueBitmap TakeBitmap();
    // Puts the context's own bitmap back in, keeping both (a bitmap in a context cannot be
    // handed to calls such as CreateIconIndirect); Select puts ours in again.
    void Deselect();
    bool Select();
    void reset();

private:
    UniqueDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_original = nullptr; // the bitmap the context held before ours, null when ours is not in
};

// The format of a 32-bit bitmap of the given size stored top row first, for sections and
// for reading pixels back.
inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
