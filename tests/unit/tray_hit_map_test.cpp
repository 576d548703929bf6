// Every pixel of both icons, as each kind of tray shows them at 96, 120, 144 and 192 DPI: what
// a click there hits is what is drawn there, and a click on the slider puts the cursor under
// the pointer. The trays are steered at the import boundary (and Wine's icon windows are real
// windows); the profiles come from the reported Windows version.
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/small_icon_size.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "tests/support/windows_version.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// ---- The zones, typed by hand from the artwork's layouts ----
//
// For each size the artwork is drawn at: the rows of the slider block (the bar and cursor are
// drawn there) and, below it, the buttons by column of each icon: B previous, S stop/load,
// P play/pause, N next, '.' nothing. The column just before the right-hand button's drawing
// hits nothing. The cursor: its width, and its left edge at step 0; each step moves it
// size / 16 pixels (truncated).
struct Zones {
    int size;
    int sliderRows;
    const char* buttons[2];
    int cursorWidth;
    int cursorOrigin;
};
// Buttons drawn at offset 2 (Windows XP, 7 and later).
const Zones kZonesOffset2[] = {
    {16, 7, {"BBBBBBBB.SSSSSSS", "PPPPPPPPP.NNNNNN"}, 4, 2},
    {20, 9, {"BBBBBBBBBB.SSSSSSSSS", "PPPPPPPPPPP.NNNNNNNN"}, 5, 2},
    {24, 11, {"BBBBBBBBBBBB.SSSSSSSSSSS", "PPPPPPPPPPPPP.NNNNNNNNNN"}, 6, 3},
    {32, 14, {"BBBBBBBBBBBBBBBBB.SSSSSSSSSSSSSS", "PPPPPPPPPPPPPPPPPPP.NNNNNNNNNNNN"}, 8, 4},
};
// Offset 1 (Vista).
const Zones kZonesOffset1[] = {
    {16, 7, {"BBBBBBB.SSSSSSSS", "PPPPPPPP.NNNNNNN"}, 4, 2},
    {20, 9, {"BBBBBBBBB.SSSSSSSSSS", "PPPPPPPPPP.NNNNNNNNN"}, 5, 2},
    {24, 11, {"BBBBBBBBBBB.SSSSSSSSSSSS", "PPPPPPPPPPPP.NNNNNNNNNNN"}, 6, 3},
    {32, 14, {"BBBBBBBBBBBBBBB.SSSSSSSSSSSSSSSS", "PPPPPPPPPPPPPPPPP.NNNNNNNNNNNNNN"}, 8, 4},
};
constexpr int kSteps = 24;

struct Profile {
    const char* name;
    DWORD major, minor;
    const Zones* zones; // one per artwork size, smallest first
    int trayXOffset;    // the classic toolbar's first cell starts this far in
    bool win7;
};
const Profile kProfiles[] = {
    {"Windows XP", 5, 2, kZonesOffset2, 0, false},
    {"Windows Vista", 6, 0, kZonesOffset1, 1, false},
    {"Windows 7", 6, 1, kZonesOffset2, 2, true},
    {"Windows 10", 10, 0, kZonesOffset2, 2, true},
};
// SM_CXSMICON at 96, 120, 144 and 192 DPI, and two sizes between, which show the next smaller
// artwork centred.
const int kSmallIcons[] = {16, 20, 24, 32, 18, 28};
const int kArtworkSizes[] = {16, 20, 24, 32};

int ElementOf(char zone) {
    switch (zone) {
    case 'B': return TrayButton::Back;
    case 'S': return TrayButton::StopLoad;
    case 'P': return TrayButton::PlayPause;
    case 'N': return TrayButton::Next;
    default: return TrayButton::None;
    }
}

// What an icon drawn `drawn` pixels wide holds: the largest artwork not above it, centred.
struct DrawnZones {
    const Zones* zones;
    int margin;

    DrawnZones(const Profile& profile, int drawn) : zones(&profile.zones[0]), margin(0) {
        for (int i = 0; i < 4; ++i)
            if (kArtworkSizes[i] <= drawn) zones = &profile.zones[i];
        margin = (drawn - zones->size) / 2;
    }
    // The artwork's column under column x of an icon: the margins count as the nearest one.
    int Column(int x) const {
        int column = x - margin;
        return column < 0 ? 0 : column >= zones->size ? zones->size - 1 : column;
    }
    // The element drawn at pixel (x, y) of the icon; rows above the artwork count as the
    // slider, rows below it as the buttons.
    int At(int icon, int x, int y, int drawn) const {
        if (y < 0 || y >= drawn) return TrayButton::None;
        if (y - margin < zones->sliderRows) return TrayButton::Slider;
        return ElementOf(zones->buttons[icon][Column(x)]);
    }
    // The strip column of the cursor's left edge at a step, in the artwork's strip.
    int CursorLeft(int step) const { return zones->cursorOrigin + step * zones->size / 16; }
};

TEST(StripZones, TheTypedTablesAreWhole) {
    for (const Zones* table : {kZonesOffset2, kZonesOffset1})
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(table[i].size, kArtworkSizes[i]);
            for (const char* row : table[i].buttons) EXPECT_EQ(strlen(row), size_t(table[i].size)) << row;
        }
}

// ---- The zone tables against the drawing itself ----

// Pixels of both icons that differ between two states of the strip.
std::vector<POINT> Changed(TestStrip& strip, const std::function<void()>& change) {
    Pixels before[2] = {ReadIconPixels(strip.IconRecord(0).hIcon), ReadIconPixels(strip.IconRecord(1).hIcon)};
    change();
    std::vector<POINT> changed;
    for (int icon = 0; icon < 2; ++icon) {
        Pixels after = ReadIconPixels(strip.IconRecord(icon).hIcon);
        for (int y = 0; y < after.height; ++y)
            for (int x = 0; x < after.width; ++x)
                if (after.Opaque(x, y) != before[icon].Opaque(x, y) || after.Rgb(x, y) != before[icon].Rgb(x, y))
                    changed.push_back(POINT{icon * after.width + x, y});
    }
    return changed;
}

// A button's pixels (those that change when it is drawn hot) lie in its zone, and the
// right-hand buttons' drawing starts in the column just after the dead one.
void CheckButtonsAgainstDrawing(TestStrip& strip, const DrawnZones& zones, int drawn, const std::string& where) {
    for (int element : {TrayButton::Back, TrayButton::StopLoad, TrayButton::PlayPause, TrayButton::Next}) {
        std::vector<POINT> pixels = Changed(strip, [&] {
            strip.LightButton(element);
        });
        ASSERT_GT(pixels.size(), 10u) << where << ": element " << element << " is drawn";
        int leftmost = 2 * drawn;
        for (POINT p : pixels) {
            const int icon = p.x / drawn, x = p.x % drawn;
            leftmost = std::min(leftmost, x);
            EXPECT_EQ(zones.At(icon, x, p.y, drawn), element) << where << ", strip pixel " << p.x << "," << p.y;
            EXPECT_EQ(strip.ButtonByPos(p), element) << where << ", strip pixel " << p.x << "," << p.y;
        }
        if (element == TrayButton::StopLoad || element == TrayButton::Next) {
            const char* row = zones.zones->buttons[element == TrayButton::Next ? 1 : 0];
            EXPECT_EQ(row[zones.Column(leftmost) - 1], '.')
                << where << ": element " << element << " starts at " << leftmost;
        }
        strip.LightButton(TrayButton::None);
    }
}

// The cursor's pixels at each step lie in the slider rows, from its left edge on.
void CheckCursorAgainstDrawing(TestStrip& strip, const DrawnZones& zones, int drawn, const std::string& where) {
    for (int step = 0; step <= kSteps; ++step) {
        std::vector<POINT> cursor = Changed(strip, [&] {
            strip.sliderFraction = (step + 0.5) / kSteps;
            strip.Refresh();
        });
        ASSERT_FALSE(cursor.empty()) << where << ", step " << step;
        for (POINT p : cursor) {
            const int icon = p.x / drawn;
            const int column = icon * zones.zones->size + (p.x % drawn - zones.margin);
            EXPECT_LT(p.y - zones.margin, zones.zones->sliderRows) << where << ", step " << step;
            EXPECT_GE(column, zones.CursorLeft(step)) << where << ", step " << step;
            EXPECT_LT(column, zones.CursorLeft(step) + zones.zones->cursorWidth) << where << ", step " << step;
        }
        strip.sliderFraction = -1.0;
        strip.Refresh();
    }
}

TEST(StripZones, EveryDrawnPixelOfAnElementLiesInItsZone) {
    ShellTray shell;
    SmallIconSize smallIcon(16);
    ASSERT_TRUE(smallIcon.Installed());
    for (const Profile& profile : kProfiles)
        for (int drawn : kSmallIcons) {
            ScopedReportedVersion version(profile.major, profile.minor);
            ASSERT_TRUE(version.Installed());
            smallIcon.Set(drawn);
            TestStrip strip;
            strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
            strip.sliderFraction = -1.0; // no cursor
            strip.SetPlayMode(Playing);
            const std::string where = std::string(profile.name) + ", drawn at " + std::to_string(drawn);
            ASSERT_EQ(ReadIconPixels(strip.IconRecord(0).hIcon).width, drawn) << where;
            const DrawnZones zones(profile, drawn);
            CheckButtonsAgainstDrawing(strip, zones, drawn, where);
            CheckCursorAgainstDrawing(strip, zones, drawn, where);
            if (HasFatalFailure()) return;
        }
}

// ---- Every pixel of every kind of tray ----

// Where a kind of tray puts the two icons: each icon's cell on screen. The icon is shown at
// the small-icon size, centred in its cell.
struct Placement {
    RECT cell[2];
};

// One kind of tray: sets the shell up for a small-icon size and a profile, says where the
// icons are.
struct TrayKind {
    const char* name;
    bool win7Only;
    bool shellRects; // the shell answers its rectangle of each icon
    std::function<Placement(TrayGeometry&, int smallIcon, const Profile&)> place;
};


// The classic toolbar's buttons: Windows 7 makes them 24 x 30 at 96 DPI.
SIZE ToolbarButton(int smallIcon) { return SIZE{smallIcon * 3 / 2, smallIcon * 15 / 8}; }

const RECT kBottomTaskbar = {0, 760, 1280, 800};

Placement ClassicOneRow(TrayGeometry& geometry, int smallIcon, const Profile& profile) {
    const SIZE b = ToolbarButton(smallIcon);
    // Three pixels more than one row: the row sits one pixel down.
    const RECT toolbar = Cell(900, 700, profile.trayXOffset + 6 * b.cx, b.cy + 3);
    geometry.SetClassicTaskbar(kBottomTaskbar, toolbar, b);
    const int left = 900 + profile.trayXOffset;
    return Placement{{Cell(left + 2 * b.cx, 701, b.cx, b.cy), Cell(left + 3 * b.cx, 701, b.cx, b.cy)}};
}

Placement ClassicTwoRows(TrayGeometry& geometry, int smallIcon, const Profile& profile) {
    const SIZE b = ToolbarButton(smallIcon);
    const RECT toolbar = Cell(800, 600, profile.trayXOffset + 7 * b.cx, 2 * b.cy + 4);
    geometry.SetClassicTaskbar(kBottomTaskbar, toolbar, b);
    const int left = 800 + profile.trayXOffset;
    const int top = 602 + b.cy; // second row
    return Placement{{Cell(left + 4 * b.cx, top, b.cx, b.cy), Cell(left + 5 * b.cx, top, b.cx, b.cy)}};
}

// A vertical taskbar one icon wide: the strip's icons one above the other.
Placement ClassicOneColumn(TrayGeometry& geometry, int smallIcon, const Profile& profile) {
    const SIZE b = ToolbarButton(smallIcon);
    const RECT toolbar = Cell(1240, 300, profile.trayXOffset + b.cx, 5 * b.cy);
    geometry.SetClassicTaskbar(RECT{1236, 0, 1280, 800}, toolbar, b);
    const int left = 1240 + profile.trayXOffset;
    return Placement{{Cell(left, 300 + 2 * b.cy, b.cx, b.cy), Cell(left, 300 + 3 * b.cy, b.cx, b.cy)}};
}

Placement ClassicVertical(TrayGeometry& geometry, int smallIcon, const Profile& profile) {
    const SIZE b = ToolbarButton(smallIcon);
    const RECT toolbar = Cell(1200, 300, profile.trayXOffset + 2 * b.cx + 1, 5 * b.cy);
    geometry.SetClassicTaskbar(RECT{1180, 0, 1280, 800}, toolbar, b);
    const int left = 1200 + profile.trayXOffset;
    const int top = 300 + 3 * b.cy;
    return Placement{{Cell(left, top, b.cx, b.cy), Cell(left + b.cx, top, b.cx, b.cy)}};
}

// The shell's own rectangles (Windows 7 and later) win over a toolbar whose cells differ.
Placement ShellRects(TrayGeometry& geometry, int smallIcon, const Profile&) {
    const SIZE b = ToolbarButton(smallIcon);
    geometry.SetClassicTaskbar(kBottomTaskbar, Cell(640, 500, 10 * b.cx, b.cy), SIZE{b.cx + 3, b.cy});
    const int size = smallIcon + 8;
    Placement placement{{Cell(700, 500, size, b.cy), Cell(700 + size, 500, size, b.cy)}};
    geometry.SetShellRect(NotifyIcons::kIconId[0], placement.cell[0]);
    geometry.SetShellRect(NotifyIcons::kIconId[1], placement.cell[1]);
    return placement;
}

// The overflow flyout, open above the taskbar, with the icons in its third row.
Placement Overflow(TrayGeometry& geometry, int smallIcon, const Profile& profile) {
    const SIZE b = ToolbarButton(smallIcon);
    const int toolbarLeft = 1000; // not a resource id: pixels
    geometry.SetClassicTaskbar(kBottomTaskbar, Cell(toolbarLeft, 765, profile.trayXOffset + 4 * b.cx, b.cy), b);
    geometry.OpenOverflow(Cell(500, 400, 3 * b.cx, 4 * b.cy), b);
    const int top = 400 + 2 * b.cy;
    return Placement{{Cell(500 + b.cx, top, b.cx, b.cy), Cell(500 + 2 * b.cx, top, b.cx, b.cy)}};
}

// Wine's taskbar in a virtual desktop draws the icons itself, in cells of the small icon plus
// a border of 2, from the right end, centred vertically.
Placement WineTaskbar(TrayGeometry& geometry, int smallIcon, const Profile&) {
    const int cell = smallIcon + 4;
    const RECT taskbar = Cell(0, 800 - (cell + 6), 1280, cell + 6);
    geometry.SetTaskbarWithoutToolbar(taskbar);
    const int top = taskbar.top + 3;
    return Placement{{Cell(1280 - 3 * cell, top, cell, cell), Cell(1280 - 2 * cell, top, cell, cell)}};
}

// Windows of the class Wine's X11 tray gives each icon: the small icon plus a border of 2,
// made for real so that the window under the pointer is found as the shell's is. The two are
// made once and moved for each size: Wine takes a second or two to take a shown window down,
// so they go only with the process.
HWND WineIconWindow(int icon, const RECT& rect) {
    static HWND windows[2] = {};
    if (!windows[icon]) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"__wine_tray_icon";
        RegisterClassW(&windowClass);
        windows[icon] =
            CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"__wine_tray_icon", L"",
                            WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    SetWindowPos(windows[icon], HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
    return windows[icon];
}

Placement WineIconWindows(TrayGeometry& geometry, int smallIcon, const Profile&) {
    geometry.SetTaskbarWithoutToolbar(RECT{0, 0, 0, 0}); // Wine's hidden taskbar outside a desktop
    const int cell = smallIcon + 4;
    Placement placement{{Cell(400, 300, cell, cell), Cell(400 + cell, 300, cell, cell)}};
    for (int icon = 0; icon < 2; ++icon) WineIconWindow(icon, placement.cell[icon]);
    return placement;
}

const TrayKind kTrayKinds[] = {
    {"classic toolbar, one row", false, false, &ClassicOneRow},
    {"classic toolbar, second of two rows", false, false, &ClassicTwoRows},
    {"classic toolbar on a vertical taskbar", false, false, &ClassicVertical},
    {"classic toolbar one icon wide", false, false, &ClassicOneColumn},
    {"shell's rectangles", true, true, &ShellRects},
    {"overflow flyout", false, false, &Overflow},
    {"Wine's taskbar", false, false, &WineTaskbar},
    {"Wine's icon windows", false, false, &WineIconWindows},
};
constexpr int kTrayKindCount = int(sizeof(kTrayKinds) / sizeof(kTrayKinds[0]));

// The pointer passes over both icons as a person's does, resting a moment on each.
void PassOver(TestStrip& strip, TrayGeometry& geometry, const Placement& placement) {
    for (int icon = 0; icon < 2; ++icon) {
        const RECT& cell = placement.cell[icon];
        geometry.SetPointer((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        for (int move = 0; move < 2; ++move) strip.NotifyIconCallback(WM_MOUSEMOVE, NotifyIcons::kIconId[icon]);
    }
    // Then it leaves the tray, and the timer's tick clears what it lit.
    geometry.SetPointer(0, 0);
    strip.TimerTick();
}

// Checks every pixel of both cells of one tray kind, one profile, one small-icon size. With
// `swapped` the shell shows icon 1 in the first cell and icon 0 in the second: icon 1 then
// shows and answers for the strip's left half.
void CheckEveryPixel(const TrayKind& kind, const Profile& profile, int smallIcon, bool swapped,
                     std::set<int>& stepsSeen) {
    TrayGeometry geometry;
    ASSERT_TRUE(geometry.Installed());
    geometry.SetSmallIcon(smallIcon);
    ScopedReportedVersion version(profile.major, profile.minor);
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    Placement placement = kind.place(geometry, smallIcon, profile);
    if (swapped) std::swap(placement.cell[0], placement.cell[1]);
    if (kind.shellRects)
        for (int icon = 0; icon < 2; ++icon) geometry.SetShellRect(NotifyIcons::kIconId[icon], placement.cell[icon]);
    PassOver(strip, geometry, placement);
    const std::string where = std::string(kind.name) + (swapped ? ", icon 1 first, " : ", ") + profile.name +
                              ", small icon " + std::to_string(smallIcon);

    const DrawnZones zones(profile, smallIcon);
    const int artwork = zones.zones->size;
    for (int icon = 0; icon < 2; ++icon) {
        const RECT& cell = placement.cell[icon];
        const int half = swapped ? 1 - icon : icon;
        const int iconLeft = cell.left + (cell.right - cell.left - smallIcon) / 2;
        const int iconTop = cell.top + (cell.bottom - cell.top - smallIcon) / 2;
        for (int sy = cell.top; sy < cell.bottom; ++sy)
            for (int sx = cell.left; sx < cell.right; ++sx) {
                // The shell shows the icon at the size it was drawn: the icon pixel here;
                // beside the icon, its nearest column; above or below it, nothing.
                const int x = sx - iconLeft, y = sy - iconTop;
                geometry.SetPointer(sx, sy);
                NotifyIcons::StripPointer pointer = strip.LocatePointer(icon);
                ASSERT_TRUE(pointer.onTray) << where << ", icon " << icon << " at " << sx << "," << sy;
                const int want = zones.At(half, x, y, smallIcon);
                ASSERT_EQ(strip.ButtonByPos(pointer.strip), want) << where << ", icon " << icon << ", icon pixel " << x
                                                                  << "," << y << " (screen " << sx << "," << sy << ")";
                if (want != TrayButton::Slider) continue;
                // The chosen step's cursor starts at or left of the pointer's column, the
                // next step's right of it; left of step 0's cursor the step is 0.
                const int column = half * artwork + zones.Column(x);
                const int step = pointer.sliderStep;
                stepsSeen.insert(step);
                if (column < zones.CursorLeft(0)) ASSERT_EQ(step, 0) << where << ", column " << column;
                else {
                    ASSERT_LE(zones.CursorLeft(step), column) << where << ", column " << column;
                    if (step < kSteps) {
                        ASSERT_GT(zones.CursorLeft(step + 1), column) << where << ", column " << column;
                    }
                }
            }
    }
    // The strip's area, within which a drag goes on, is both cells.
    RECT both = {};
    UnionRect(&both, &placement.cell[0], &placement.cell[1]);
    EXPECT_TRUE(EqualRect(&strip.StripArea(), &both)) << where;
}

// Parameter: the tray kind, and from kTrayKindCount on the same kinds with icon 1 shown first.
class EveryPixel : public ::testing::TestWithParam<int> {};

TEST_P(EveryPixel, HitsWhatIsDrawnThereOnEveryProfileAndDpi) {
    const TrayKind& kind = kTrayKinds[GetParam() % kTrayKindCount];
    const bool swapped = GetParam() >= kTrayKindCount;
    for (const Profile& profile : kProfiles) {
        if (kind.win7Only && !profile.win7) continue;
        for (int smallIcon : kSmallIcons) {
            std::set<int> stepsSeen;
            CheckEveryPixel(kind, profile, smallIcon, swapped, stepsSeen);
            if (HasFatalFailure()) return;
            EXPECT_EQ(stepsSeen.size(), size_t(kSteps + 1))
                << kind.name << ", " << profile.name << ", small icon " << smallIcon << ": every step can be reached";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TrayKinds, EveryPixel, ::testing::Range(0, 2 * kTrayKindCount),
                         [](const ::testing::TestParamInfo<int>& param) {
                             std::string name = kTrayKinds[param.param % kTrayKindCount].name;
                             if (param.param >= kTrayKindCount) name += " icon 1 first";
                             std::string id;
                             for (char c : name)
                                 if (isalnum(static_cast<unsigned char>(c))) id += c;
                             return id;
                         });

} // namespace
