#pragma once
// What the strip's images were loaded for: the size the icons are drawn at, the layout inside
// them and its offset, the taskbar's theme and the skin. A new set is loaded only when the
// size or the theme differs from these.
#include "tray/strip_layout.h"

#include <string>

class StripImageSet {
public:
    StripImageSet();

    // Whether the set loaded is the one for this size and theme.
    bool LoadedFor(int size, bool dark) const { return size == m_size && dark == m_dark; }
    // A set for `size` and `dark` is about to be loaded: the built-in artwork at the largest
    // size it exists for that fits, a skin at 16 pixels times the largest whole factor that
    // fits, either centred in the icon. Returns the layout's size.
    int Choose(int size, bool dark, int buttonXOffset);
    // The skin folder (empty: the built-in artwork); it counts from the next Choose.
    void SetSkin(const std::wstring& folder) { m_skin = folder; }

    int IconSize() const { return m_size; }
    const StripLayout& Layout() const { return m_layout; }
    // Where the layout starts inside the icon, in both directions.
    int LayoutOffset() const { return m_offset; }
    bool Dark() const { return m_dark; }
    const std::wstring& Skin() const { return m_skin; }

private:
    int m_size;
    StripLayout m_layout;
    int m_offset = 0;
    bool m_dark = false;
    std::wstring m_skin;
};
