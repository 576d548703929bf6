#pragma once
// Where the shell shows each of the strip's two icons, and so which of them shows the strip's
// left half. The shell may put them in either order: Windows 7 and later let the user (or the
// shell) place them anywhere, and Wine's trays put each new icon to the left of the others.
// The order is taken from what the shell shows, never assumed once the cells are known.
#include <windows.h>

class IconPlacement {
public:
    // How far a sighting of an icon in a cell can be trusted.
    enum class Evidence {
        Sure, // the shell's own rectangle, or a press (reported for the icon under the pointer)
        Move, // a move: the shell may still report the icon the pointer has just left
        None, // a look that teaches nothing (a second look at the same message)
    };

    // A message about `icon` found the pointer in `cell`. A move counts once two moves in a row
    // have found the same icon in the same cell. Two icons never share a cell: the newer
    // sighting wins, and the other icon is taken to stand where this one stood before.
    void Sighted(int icon, const RECT& cell, Evidence evidence);
    // The icons may have moved (added again, a new taskbar, another DPI): their cells are
    // learnt anew, and the order found so far stays until they are.
    void Forget();

    bool Known(int icon) const { return known[icon]; }
    const RECT& Cell(int icon) const { return cells[icon]; }
    // Whether icon 1 is shown before icon 0: left of it, or, where the two are in different
    // rows (a vertical taskbar, a tray of several rows), in a row above it.
    bool IconOneFirst() const { return iconOneFirst; }
    // Which half of the strip `icon` is drawn with (0 left, 1 right); the same mapping gives the
    // icon that draws a half. It changes only when the strip takes the order found.
    int HalfOf(int icon) const { return drawnIconOneFirst ? 1 - icon : icon; }
    // The strip draws the order found from now on; false when it already did.
    bool DrawOrderFound();

private:
    void Learn(int icon, const RECT& cell);

    RECT cells[2] = {};
    bool known[2] = {false, false};
    bool iconOneFirst = false; // until both cells are known: the order the icons were added in
    bool drawnIconOneFirst = false; // icon 1 is drawn with the strip's left half
    // The latest move, which a second one must confirm.
    int lastMoveIcon = -1;
    RECT lastMoveCell = {};
};

namespace IconOrder {
// Whether cell `a` comes before cell `b` as the tray is read: by rows from the top, and from
// the left within a row. Cells whose rows overlap are in the same row.
bool ShownBefore(const RECT& a, const RECT& b);
} // namespace IconOrder
