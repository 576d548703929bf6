// Learning which cell holds which of the strip's icons from what the shell reports.
#include "tray/icon_placement.h"

namespace IconOrder {

bool ShownBefore(const RECT& a, const RECT& b) {
    const bool sameRow = a.top < b.bottom && b.top < a.bottom;
    if (!sameRow) return a.top < b.top;
    return a.left < b.left;
}

} // namespace IconOrder

void IconPlacement::Sighted(int icon, const RECT& cell, Evidence evidence) {
    if ((icon != 0 && icon != 1) || evidence == Evidence::None) return;
    if (evidence == Evidence::Move) {
        const bool confirmed = lastMoveIcon == icon && EqualRect(&lastMoveCell, &cell);
        lastMoveIcon = icon;
        lastMoveCell = cell;
        if (!confirmed) return;
    } else {
        lastMoveIcon = -1;
    }
    Learn(icon, cell);
}

void IconPlacement::Learn(int icon, const RECT& cell) {
    const int other = 1 - icon;
    const bool hadCell = known[icon];
    const RECT previous = cells[icon];
    cells[icon] = cell;
    known[icon] = true;
    // Two icons never share a cell: the other one has moved, most likely to where this one
    // was (the two have changed places); without such a place it is no longer known.
    if (known[other] && EqualRect(&cells[other], &cell)) {
        known[other] = hadCell && !EqualRect(&previous, &cell);
        cells[other] = previous;
    }
    if (known[other]) iconOneFirst = IconOrder::ShownBefore(cells[1], cells[0]);
}

bool IconPlacement::DrawOrderFound() {
    if (drawnIconOneFirst == iconOneFirst) return false;
    drawnIconOneFirst = iconOneFirst;
    return true;
}

void IconPlacement::Forget() {
    known[0] = known[1] = false;
    lastMoveIcon = -1;
}
