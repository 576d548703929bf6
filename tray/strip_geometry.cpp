// Screen points to pixels of the drawn strip.
#include "tray/strip_geometry.h"

namespace {

// Division that rounds towards minus infinity, so that a point one pixel left of the icon is
// column -1 and not column 0.
int FloorDiv(long long numerator, long long denominator) {
    long long quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
    return static_cast<int>(quotient);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

} // namespace

namespace StripGeometry {

RECT ShownIconRect(const RECT& cell, SIZE shown) {
    RECT icon;
    icon.left = cell.left + (Width(cell) - shown.cx) / 2;
    icon.top = cell.top + (Height(cell) - shown.cy) / 2;
    icon.right = icon.left + shown.cx;
    icon.bottom = icon.top + shown.cy;
    return icon;
}

POINT IconPixel(POINT screen, const RECT& cell, SIZE shown, int drawnSize) {
    const RECT icon = ShownIconRect(cell, shown);
    POINT pixel;
    pixel.x = FloorDiv(static_cast<long long>(screen.x - icon.left) * drawnSize, shown.cx > 0 ? shown.cx : 1);
    pixel.y = FloorDiv(static_cast<long long>(screen.y - icon.top) * drawnSize, shown.cy > 0 ? shown.cy : 1);
    return pixel;
}

POINT StripPixel(int icon, POINT iconPixel, int drawnSize) {
    POINT strip;
    strip.x = Clamp(iconPixel.x, 0, drawnSize - 1) + icon * drawnSize;
    strip.y = iconPixel.y;
    return strip;
}

RECT NeighbourCell(const RECT& cell, int icon) {
    RECT other = cell;
    int shift = icon == 0 ? Width(cell) : -Width(cell);
    OffsetRect(&other, shift, 0);
    return other;
}

bool Adjacent(const RECT& a, const RECT& b) {
    if (Width(a) != Width(b) || Height(a) != Height(b)) return false;
    bool sideBySide = a.top == b.top && (a.right == b.left || b.right == a.left);
    bool stacked = a.left == b.left && (a.bottom == b.top || b.bottom == a.top);
    return sideBySide || stacked;
}

RECT GridCell(POINT point, POINT origin, SIZE cellSize, int columns, int rows) {
    const int width = cellSize.cx > 0 ? cellSize.cx : 1;
    const int height = cellSize.cy > 0 ? cellSize.cy : 1;
    int column = Clamp(FloorDiv(point.x - origin.x, width), 0, (columns > 0 ? columns : 1) - 1);
    int row = Clamp(FloorDiv(point.y - origin.y, height), 0, (rows > 0 ? rows : 1) - 1);
    RECT cell;
    cell.left = origin.x + column * width;
    cell.top = origin.y + row * height;
    cell.right = cell.left + width;
    cell.bottom = cell.top + height;
    return cell;
}

} // namespace StripGeometry
