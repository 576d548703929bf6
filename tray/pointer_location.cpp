// Where the pointer is on the strip when the shell reports a mouse message for one of its
// icons: the shell says which icon, not where on it.
#include "tray/NotifyIcons.h"
#include "tray/strip_geometry.h"
#include "tray/tray_windows.h"

#include "sdk/shared/shared.h"

namespace {

constexpr int kStandardSmallIcon = 16;
constexpr int kVerticalTaskbarRowGap = 8;
constexpr int kHorizontalTaskbarRowGap = 14;

int SmallIconMetric(int index) {
    int size = GetSystemMetrics(index);
    return size > 0 ? size : kStandardSmallIcon;
}

bool TallerThanWide(const RECT& rect) { return rect.bottom - rect.top > rect.right - rect.left; }

// A distance in icon pixels of a 16-pixel icon, in screen pixels.
int ScreenPixels(int iconPixels, int smallIcon) { return MulDiv(iconPixels, smallIcon, kStandardSmallIcon); }

} // namespace

TrayHints NotifyIcons::CurrentTrayHints() {
    TrayHints hints;
    hints.smallIcon = SIZE{SmallIconMetric(SM_CXSMICON), SmallIconMetric(SM_CYSMICON)};
    // The profile's gaps estimate a classic toolbar's cell where the toolbar does not say.
    hints.toolbarCell = SIZE{hints.smallIcon.cx + ScreenPixels(iconGap, hints.smallIcon.cx),
                             hints.smallIcon.cy + ScreenPixels(rowGap, hints.smallIcon.cy)};
    hints.toolbarOrigin = POINT{trayXOffset, trayYOffset};
    hints.askShellFirst = isWin7;
    return hints;
}

NotifyIcons::StripPointer NotifyIcons::LocatePointer(int icon, IconPlacement::Evidence evidence) {
    StripPointer pointer = {};
    // Without a pointer position nothing on the strip can be hit.
    if (!GetCursorPos(&pointer.screen)) return pointer;

    // On Windows 7 and later the rows of a vertical taskbar lie closer together.
    if (isWin7) rowGap = TallerThanWide(TrayWindows::TaskbarRect()) ? kVerticalTaskbarRowGap : kHorizontalTaskbarRowGap;

    IconCell cell = TrayWindows::CellUnderPointer(icons[icon], pointer.screen, CurrentTrayHints());
    // A pointer that has already left the icon's cell (or a tray that cannot be found) is
    // off the strip; the area found last stays for the timer's check whether it has left.
    if (cell.source == IconCell::None || !PtInRect(&cell.rect, pointer.screen)) return pointer;
    // While a button is held the shell keeps reporting the pressed icon, also with the
    // pointer over the other one: the cell says which icon the pointer is on, and the message
    // teaches nothing about where the reported icon is.
    const bool held = buttonDown || dragging;
    const int other = 1 - icon;
    if (held && placement.Known(other) && EqualRect(&cell.rect, &placement.Cell(other))) icon = other;
    // Where the shell gives its rectangles, they place both icons at once.
    if (cell.source == IconCell::ShellRect) LearnOrderFromShell();
    RememberCell(icon, cell.rect, !held, evidence);
    // The shell may show the icon at another size than it was drawn: the pointer becomes a
    // pixel of the drawing, and the slider step is read off the layout drawn there.
    const int iconSize = imageSet.IconSize();
    POINT pixel = StripGeometry::IconPixel(pointer.screen, cell.rect, cell.shown, iconSize);
    pointer.onTray = true;
    pointer.strip = StripGeometry::StripPixel(placement.HalfOf(icon), pixel, iconSize);
    pointer.sliderStep = imageSet.Layout().StepAt(LayoutPixel(pointer.strip).x, sliderRange);
    return pointer;
}

// The strip's screen area covers both icons. The other icon's cell is the one it was last
// found in while that lies next to this one; otherwise the neighbouring cell on the side of
// the other half, where the shell usually puts it.
void NotifyIcons::RememberCell(int icon, const RECT& cell, bool learn, IconPlacement::Evidence evidence) {
    const int other = 1 - icon;
    if (learn) {
        placement.Sighted(icon, cell, evidence);
        FollowIconOrder();
    }
    const bool otherBeside = placement.Known(other) && StripGeometry::Adjacent(cell, placement.Cell(other));
    RECT otherCell = otherBeside ? placement.Cell(other) : StripGeometry::NeighbourCell(cell, placement.HalfOf(icon));
    UnionRect(&toolbarRect, &cell, &otherCell);
    // A drag that finds the other icon beside this one, where the strip did not expect it,
    // still counts there.
    if (dragging && otherBeside) UnionRect(&dragBounds, &dragBounds, &toolbarRect);
}

bool NotifyIcons::FollowIconOrder() {
    if (!placement.DrawOrderFound()) return false;
    RedrawOnNextRefresh();
    return true;
}

bool NotifyIcons::LearnOrderFromShell() {
    RECT cells[2] = {};
    if (!TrayWindows::ShellRectOf(icons[0], cells[0]) || !TrayWindows::ShellRectOf(icons[1], cells[1])) return false;
    placement.Sighted(0, cells[0], IconPlacement::Evidence::Sure);
    placement.Sighted(1, cells[1], IconPlacement::Evidence::Sure);
    return FollowIconOrder();
}

void NotifyIcons::RelearnIconOrder() {
    uCallStackTracker tracker("NotifyIcons::RelearnIconOrder()");
    placement.Forget();
    if (LearnOrderFromShell()) Refresh();
}

// Before Windows 7 moves matter only while a button is held, but they still show where the
// pointer finds each icon.
void NotifyIcons::LearnFromMove(int icon) {
    onStripPointer(WM_MOUSEMOVE, LocatePointer(icon, IconPlacement::Evidence::Move));
    if (!DrawnStateIsCurrent()) Refresh();
}
