// Every pixel of both icons, as each kind of tray shows them at 96, 120, 144 and 192 DPI: what
// a click there hits is what is drawn there, and a click on the slider puts the cursor under
// the pointer. The trays are steered at the import boundary (and Wine's icon windows are real
// windows); the profiles come from the reported Windows version.
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "tests/support/windows_version.h"

#include <gtest/gtest.h>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// ---- The zones, typed by hand from the artwork's layout ----
//
// Rows 0 to 6 of both icons are the slider (the bar is drawn there). Rows 7 to 15 are the
// buttons, by column of a 16-pixel drawing: B previous, S stop/load, P play/pause, N next,
// '.' nothing. The column just before the right-hand button's drawing hits nothing.
struct Zones {
    const char* buttons[2];
};
// Buttons drawn at offset 2 (Windows XP, 7 and later): stop from column 9, next from 10.
const Zones kZonesOffset2 = {{"BBBBBBBB.SSSSSSS", "PPPPPPPPP.NNNNNN"}};
// Offset 1 (Vista): stop from column 8, next from 9.
const Zones kZonesOffset1 = {{"BBBBBBB.SSSSSSSS", "PPPPPPPP.NNNNNNN"}};
constexpr int kSliderRows = 7;
// The cursor is 4 pixels wide with its left edge at strip column step + 2.
constexpr int kCursorOffset = 2;
constexpr int kCursorWidth = 4;
constexpr int kSteps = 24;

struct Profile {
    const char* name;
    DWORD major, minor;
    const Zones* zones;
    int trayXOffset;  // the classic toolbar's first cell starts this far in
    bool win7;
};
const Profile kProfiles[] = {
    {"Windows XP", 5, 2, &kZonesOffset2, 0, false}, {"Windows Vista", 6, 0, &kZonesOffset1, 1, false},
    {"Windows 7", 6, 1, &kZonesOffset2, 2, true},   {"Windows 10", 10, 0, &kZonesOffset2, 2, true},
};
// SM_CXSMICON at 96, 120, 144 and 192 DPI.
const int kSmallIcons[] = {16, 20, 24, 32};

int ElementOf(char zone) {
    switch (zone) {
    case 'B': return TrayButton::Back;
    case 'S': return TrayButton::StopLoad;
    case 'P': return TrayButton::PlayPause;
    case 'N': return TrayButton::Next;
    default: return TrayButton::None;
    }
}

// The element drawn at pixel (x, y) of a 16-pixel icon.
int ZoneAt(const Zones& zones, int icon, int x, int y) {
    if (y < 0 || y >= 16) return TrayButton::None;
    if (y < kSliderRows) return TrayButton::Slider;
    return ElementOf(zones.buttons[icon][x < 0 ? 0 : x > 15 ? 15 : x]);
}

// ---- The zone tables against the drawing itself ----

// Pixels of both icons that differ between two states of the strip.
std::vector<POINT> Changed(TestStrip& strip, const std::function<void()>& change) {
    Pixels before[2] = {ReadIconPixels(strip.icons[0].hIcon), ReadIconPixels(strip.icons[1].hIcon)};
    change();
    std::vector<POINT> changed;
    for (int icon = 0; icon < 2; ++icon) {
        Pixels after = ReadIconPixels(strip.icons[icon].hIcon);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (after.Opaque(x, y) != before[icon].Opaque(x, y) || after.Rgb(x, y) != before[icon].Rgb(x, y))
                    changed.push_back(POINT{icon * 16 + x, y});
    }
    return changed;
}

TEST(StripZones, EveryDrawnPixelOfAnElementLiesInItsZone) {
    ShellTray shell;
    for (const Profile& profile : kProfiles) {
        ScopedReportedVersion version(profile.major, profile.minor);
        ASSERT_TRUE(version.Installed());
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        strip.sliderFraction = -1.0;  // no cursor
        strip.SetPlayMode(Playing);
        // A button's pixels are those that change when it is drawn hot.
        for (int element : {TrayButton::Back, TrayButton::StopLoad, TrayButton::PlayPause, TrayButton::Next}) {
            std::vector<POINT> drawn = Changed(strip, [&] {
                strip.hotButton = element;
                strip.Refresh();
            });
            ASSERT_GT(drawn.size(), 10u) << profile.name << ": element " << element << " is drawn";
            for (POINT p : drawn) {
                EXPECT_EQ(ZoneAt(*profile.zones, p.x / 16, p.x % 16, p.y), element)
                    << profile.name << ", strip pixel " << p.x << "," << p.y;
                EXPECT_EQ(strip.ButtonByPos(p), element) << profile.name << ", strip pixel " << p.x << "," << p.y;
            }
            strip.hotButton = TrayButton::None;
            strip.Refresh();
        }
        // The cursor's pixels at each step lie in the slider rows, in the columns the step
        // stands for.
        for (int step = 0; step <= kSteps; ++step) {
            std::vector<POINT> cursor = Changed(strip, [&] {
                strip.sliderFraction = (step + 0.5) / kSteps;
                strip.Refresh();
            });
            ASSERT_FALSE(cursor.empty()) << "step " << step;
            for (POINT p : cursor) {
                EXPECT_LT(p.y, kSliderRows) << profile.name << ", step " << step;
                EXPECT_GE(p.x, step + kCursorOffset) << profile.name << ", step " << step;
                EXPECT_LT(p.x, step + kCursorOffset + kCursorWidth) << profile.name << ", step " << step;
            }
            strip.sliderFraction = -1.0;
            strip.Refresh();
        }
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
    std::function<Placement(TrayGeometry&, int smallIcon, const Profile&)> place;
};

RECT Cell(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

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
    const int top = 602 + b.cy;  // second row
    return Placement{{Cell(left + 4 * b.cx, top, b.cx, b.cy), Cell(left + 5 * b.cx, top, b.cx, b.cy)}};
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
    geometry.SetClassicTaskbar(kBottomTaskbar, Cell(1000, 765, profile.trayXOffset + 4 * b.cx, b.cy), b);
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
        windows[icon] = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"__wine_tray_icon", L"",
                                        WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                                        nullptr);
    }
    SetWindowPos(windows[icon], HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
    return windows[icon];
}

Placement WineIconWindows(TrayGeometry& geometry, int smallIcon, const Profile&) {
    geometry.SetTaskbarWithoutToolbar(RECT{0, 0, 0, 0});  // Wine's hidden taskbar outside a desktop
    const int cell = smallIcon + 4;
    Placement placement{{Cell(400, 300, cell, cell), Cell(400 + cell, 300, cell, cell)}};
    for (int icon = 0; icon < 2; ++icon) WineIconWindow(icon, placement.cell[icon]);
    return placement;
}

const TrayKind kTrayKinds[] = {
    {"classic toolbar, one row", false, &ClassicOneRow},
    {"classic toolbar, second of two rows", false, &ClassicTwoRows},
    {"classic toolbar on a vertical taskbar", false, &ClassicVertical},
    {"shell's rectangles", true, &ShellRects},
    {"overflow flyout", false, &Overflow},
    {"Wine's taskbar", false, &WineTaskbar},
    {"Wine's icon windows", false, &WineIconWindows},
};

// Checks every pixel of both cells of one tray kind, one profile, one small-icon size.
void CheckEveryPixel(const TrayKind& kind, const Profile& profile, int smallIcon, std::set<int>& stepsSeen) {
    TrayGeometry geometry;
    ASSERT_TRUE(geometry.Installed());
    geometry.SetSmallIcon(smallIcon);
    ScopedReportedVersion version(profile.major, profile.minor);
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    const Placement placement = kind.place(geometry, smallIcon, profile);
    const std::string where = std::string(kind.name) + ", " + profile.name + ", small icon " + std::to_string(smallIcon);

    for (int icon = 0; icon < 2; ++icon) {
        const RECT& cell = placement.cell[icon];
        const int iconLeft = cell.left + (cell.right - cell.left - smallIcon) / 2;
        const int iconTop = cell.top + (cell.bottom - cell.top - smallIcon) / 2;
        for (int sy = cell.top; sy < cell.bottom; ++sy)
            for (int sx = cell.left; sx < cell.right; ++sx) {
                // The icon pixel the shell shows here (scaled from 16 to the small-icon size);
                // beside the icon, its nearest column; above or below it, nothing.
                const int dx = sx - iconLeft, dy = sy - iconTop;
                const int x = dx < 0 ? -1 : dx * 16 / smallIcon;
                const int y = dy < 0 ? -1 : dy * 16 / smallIcon;
                geometry.SetPointer(sx, sy);
                TestStrip::StripPointer pointer = strip.LocatePointer(icon);
                ASSERT_TRUE(pointer.onTray) << where << ", icon " << icon << " at " << sx << "," << sy;
                const int want = ZoneAt(*profile.zones, icon, x, y);
                ASSERT_EQ(strip.ButtonByPos(pointer.strip), want)
                    << where << ", icon " << icon << ", icon pixel " << x << "," << y << " (screen " << sx << ","
                    << sy << ")";
                if (want != TrayButton::Slider) continue;
                // The cursor at the chosen step covers the pointer's column, give or take one
                // step; beyond the cursor's reach, the step is the end on that side.
                const int column = icon * 16 + (x < 0 ? 0 : x > 15 ? 15 : x);
                const int step = pointer.sliderStep;
                stepsSeen.insert(step);
                if (column < kCursorOffset) ASSERT_EQ(step, 0) << where << ", column " << column;
                else if (column >= kSteps + kCursorOffset + kCursorWidth) ASSERT_EQ(step, kSteps) << where;
                else {
                    ASSERT_GE(column, step + kCursorOffset - 1) << where << ", column " << column;
                    ASSERT_LE(column, step + kCursorOffset + kCursorWidth) << where << ", column " << column;
                }
            }
    }
    // The strip's area, within which a drag goes on, is both cells.
    RECT both = {};
    UnionRect(&both, &placement.cell[0], &placement.cell[1]);
    EXPECT_TRUE(EqualRect(&strip.toolbarRect, &both)) << where;
}

class EveryPixel : public ::testing::TestWithParam<int> {};

TEST_P(EveryPixel, HitsWhatIsDrawnThereOnEveryProfileAndDpi) {
    const TrayKind& kind = kTrayKinds[GetParam()];
    for (const Profile& profile : kProfiles) {
        if (kind.win7Only && !profile.win7) continue;
        for (int smallIcon : kSmallIcons) {
            std::set<int> stepsSeen;
            CheckEveryPixel(kind, profile, smallIcon, stepsSeen);
            if (HasFatalFailure()) return;
            EXPECT_EQ(stepsSeen.size(), size_t(kSteps + 1))
                << kind.name << ", " << profile.name << ", small icon " << smallIcon << ": every step can be reached";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TrayKinds, EveryPixel, ::testing::Range(0, int(sizeof(kTrayKinds) / sizeof(kTrayKinds[0]))),
                         [](const ::testing::TestParamInfo<int>& param) {
                             std::string name = kTrayKinds[param.param].name;
                             std::string id;
                             for (char c : name)
                                 if (isalnum(static_cast<unsigned char>(c))) id += c;
                             return id;
                         });

} // namespace
