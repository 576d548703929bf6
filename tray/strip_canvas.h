#pragma once
// The planes the two tray icons are composed in. They are kept from one redraw to the next,
// so that a redraw neither loads bitmaps nor creates device contexts: for each icon a colour
// plane and a mask plane, each a 32-bit section of the size drawn in a memory context of its
// own, reset before every composition from the empty planes (bitmap resources 111 and 112,
// loaded once per size) and freed of any clipping the last composition left.
#include "base/gdi_handles.h"

class StripCanvas {
public:
    static constexpr int kIcons = 2;

    // Makes the planes on first use and whenever the size changes; false when the empty
    // planes cannot be loaded.
    bool Begin(HINSTANCE instance, int size);
    HDC Color(int icon) const { return m_planes[icon].color.get(); }
    HDC Mask(int icon) const { return m_planes[icon].mask.get(); }
    // Takes one icon's planes out of their contexts and makes the icon of them; the planes
    // stay for the next composition. Null when the planes are missing.
    UniqueIcon Finish(int icon);
    // Gives back every plane and context.
    void Release();

private:
    struct Planes {
        MemorySurface color;
        MemorySurface mask;
    };
    bool Prepare(HINSTANCE instance, int size);
    bool CopyEmpty(const MemorySurface& from, MemorySurface& to) const;

    int m_size = 0;
    Planes m_empty;
    Planes m_planes[kIcons];
};
