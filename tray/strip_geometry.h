#pragma once
// The one geometric model of the strip on screen. Whatever the shell is (a classic tray
// toolbar, the overflow flyout, the shell's own rectangle for an icon, Wine's icon windows or
// Wine's taskbar), it tells us the screen cell of the icon a message is about. The pointer is
// turned into a pixel of the icon as it was drawn (first), and only then laid onto the strip.
//
// Strip coordinates are pixels of the drawn icons: x runs across icon 0 (0 to size - 1) and
// on across icon 1 (size to 2 size - 1), y runs down an icon (0 to size - 1). There is no gap
// between the two icons on the strip; whatever lies between them on screen belongs to neither.
#include <windows.h>

namespace StripGeometry {

// The icon's pixels on screen: the shell shows the icon at `shown` (the small-icon size),
// centred in its cell.
RECT ShownIconRect(const RECT& cell, SIZE shown);

// The pixel of the drawn icon under a screen point. The point may lie outside the icon, which
// gives values below 0 or from `drawnSize` on; the division rounds towards minus infinity.
POINT IconPixel(POINT screen, const RECT& cell, SIZE shown, int drawnSize);

// The strip coordinate of a pixel of `icon` (0 or 1). A point in the cell beside the icon
// counts as the icon's nearest column; rows above or below the icon stay outside it.
POINT StripPixel(int icon, POINT iconPixel, int drawnSize);

// Where the other icon of the strip sits when it is not known: the cell next to `cell`, on
// the right of icon 0 or the left of icon 1, as the strip is meant to be placed.
RECT NeighbourCell(const RECT& cell, int icon);

// Whether two cells lie side by side or one above the other, touching, of the same size.
bool Adjacent(const RECT& a, const RECT& b);

// The cell of a grid of `cellSize` cells whose first cell's top left corner is `origin` that
// holds `point`; `columns` and `rows` limit the grid (at least 1 each). Points beyond the
// grid's edge count as in its outermost cells.
RECT GridCell(POINT point, POINT origin, SIZE cellSize, int columns, int rows);

} // namespace StripGeometry
