#pragma once
// A memory context compatible with a reference context, holding a bitmap of its own of a
// given size, for drawing off screen and copying the result.
#include "base/gdi_handles.h"
#include "base/scoped_select.h"

class CompatibleSurface {
public:
    CompatibleSurface(HDC reference, int width, int height)
        : m_bitmap(CreateCompatibleBitmap(reference, width, height)), m_dc(CreateCompatibleDC(reference)),
          m_selection(m_bitmap ? m_dc.get() : nullptr, m_bitmap.get()) {}
    CompatibleSurface(const CompatibleSurface&) = delete;
    CompatibleSurface& operator=(const CompatibleSurface&) = delete;

    HDC get() const { return m_dc.get(); }
    explicit operator bool() const { return static_cast<bool>(m_selection); }

private:
    // Declared in this order so that the context's first bitmap goes back in before the
    // context and ours are deleted: ours is never deleted while selected.
    UniqueBitmap m_bitmap;
    UniqueDC m_dc;
    ScopedSelectObject m_selection;
};
