#pragma once
// Where the tray menu opens: at the pointer after a click, and at an icon while the menu is
// opened from the keyboard, since the pointer may be anywhere then.
#include <windows.h>

class MenuAnchor {
public:
    // For as long as it lasts, the menu opens at the icon's point; on every way out of the
    // scope, exceptions included, it opens at the pointer again.
    class AtIcon {
    public:
        AtIcon(MenuAnchor& anchor, POINT iconPoint) : m_anchor(anchor) {
            m_anchor.m_iconPoint = iconPoint;
            m_anchor.m_atIcon = true;
        }
        ~AtIcon() { m_anchor.m_atIcon = false; }
        AtIcon(const AtIcon&) = delete;
        AtIcon& operator=(const AtIcon&) = delete;

    private:
        MenuAnchor& m_anchor;
    };

    // The point the menu opens at now: the icon's within an AtIcon scope, else the pointer
    // (0, 0 when the pointer cannot be read).
    POINT Point() const {
        if (m_atIcon) return m_iconPoint;
        POINT pointer = {};
        GetCursorPos(&pointer);
        return pointer;
    }

private:
    bool m_atIcon = false;
    POINT m_iconPoint = {};
};
