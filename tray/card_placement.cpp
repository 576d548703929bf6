#include "tray/card_placement.h"

#include <algorithm>

namespace {

enum class Side { Above, Below, Left, Right };

// The side of the strip that faces the work area.
Side SideTowardsWork(SIZE card, const RECT& strip, const RECT& work, int gap) {
    if (strip.top >= work.bottom) return Side::Above;
    if (strip.bottom <= work.top) return Side::Below;
    if (strip.right <= work.left) return Side::Right;
    if (strip.left >= work.right) return Side::Left;
    const int roomAbove = strip.top - work.top;
    const int roomBelow = work.bottom - strip.bottom;
    if (roomAbove >= card.cy + gap || roomAbove >= roomBelow) return Side::Above;
    return Side::Below;
}

// Keeps [start, start + length) inside [low, high); a card larger than the area starts at low.
int Within(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

int Centred(LONG from, LONG to, int length) { return static_cast<int>((from + to) / 2) - length / 2; }

} // namespace

namespace CardPlacement {

POINT Place(SIZE card, const RECT& strip, const RECT& work, int gap) {
    const int w = static_cast<int>(card.cx), h = static_cast<int>(card.cy);
    POINT at = {};
    switch (SideTowardsWork(card, strip, work, gap)) {
    case Side::Above:
        at.y = std::min<LONG>(strip.top - gap - h, work.bottom - h);
        at.x = Within(Centred(strip.left, strip.right, w), w, work.left, work.right);
        // Only the far edge is held to the work area: moving the card down would cover the strip.
        at.y = std::max<LONG>(at.y, work.top);
        break;
    case Side::Below:
        at.y = std::max<LONG>(strip.bottom + gap, work.top);
        at.x = Within(Centred(strip.left, strip.right, w), w, work.left, work.right);
        break;
    case Side::Right:
        at.x = std::max<LONG>(strip.right + gap, work.left);
        at.y = Within(Centred(strip.top, strip.bottom, h), h, work.top, work.bottom);
        break;
    case Side::Left:
        at.x = std::min<LONG>(strip.left - gap - w, work.right - w);
        at.y = Within(Centred(strip.top, strip.bottom, h), h, work.top, work.bottom);
        break;
    }
    return at;
}

} // namespace CardPlacement
