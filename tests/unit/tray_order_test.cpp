// Which icon shows which half of the strip follows where the shell shows them: icon 1 shown
// first (left, or above) draws and answers for the left half. The shell's rectangles and the
// tray's own mouse messages tell; the taskbar is steered at the import boundary.
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

bool SamePixels(HICON a, HICON b) {
    Pixels pa = ReadIconPixels(a), pb = ReadIconPixels(b);
    return pa.Valid() && pa.width == pb.width && pa.color == pb.color && pa.opaque == pb.opaque;
}

// 16-pixel icons on a taskbar that draws them itself in 20-pixel cells lined up from its
// right end (Wine's, in a virtual desktop): cell k from the right starts at 1280 - 20 k.
class IconOrder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(geometry.Installed());
        geometry.SetSmallIcon(16);
        geometry.SetTaskbarWithoutToolbar(kTaskbar);
        savedNudge = NotifyIcons::LastTipRewrite();
        NotifyIcons::TipRewrittenAt(std::numeric_limits<__int64>::max());
    }
    void TearDown() override { NotifyIcons::TipRewrittenAt(savedNudge); }

    static constexpr RECT kTaskbar = {0, 770, 1280, 800};
    static UINT IdOf(int icon) { return NotifyIcons::kIconId[icon]; }
    // The taskbar's cell `k` from the right end (1 is the rightmost).
    static RECT TaskbarCell(int k) { return Cell(1280 - 20 * k, 775, 20, 20); }
    // The screen point of pixel (x, y) of the icon shown centred in `cell`.
    static POINT PixelIn(const RECT& cell, int x, int y) {
        return POINT{cell.left + (cell.right - cell.left - 16) / 2 + x,
                     cell.top + (cell.bottom - cell.top - 16) / 2 + y};
    }
    void Message(UINT message, int icon, POINT at) {
        geometry.SetPointer(at);
        strip.NotifyIconCallback(message, IdOf(icon));
    }
    // Moves that rest on an icon: the tray sends several for each.
    void Hover(int icon, const RECT& cell) {
        for (int move = 0; move < 2; ++move) Message(WM_MOUSEMOVE, icon, PixelIn(cell, 8, 4));
    }
    std::string Click(int icon, const RECT& cell, int x, int y) {
        strip.hooks.clear();
        Message(WM_LBUTTONDOWN, icon, PixelIn(cell, x, y));
        Message(WM_LBUTTONUP, icon, PixelIn(cell, x, y));
        return strip.hooks.empty() ? "" : strip.hooks.front();
    }
    // The left icon's lower left is previous and the right icon's lower right is next, whichever
    // icon the shell shows where.
    void ExpectReadsLeftToRight(int leftIcon, const RECT& left, const RECT& right, const std::string& where) {
        EXPECT_EQ(Click(leftIcon, left, 1, 14), "prev") << where;
        EXPECT_EQ(Click(leftIcon, left, 14, 14), "load") << where;
        EXPECT_EQ(Click(1 - leftIcon, right, 1, 14), "play") << where;
        EXPECT_EQ(Click(1 - leftIcon, right, 14, 14), "next") << where;
    }

    TrayGeometry geometry;
    ShellTray shell;
    TestStrip strip;
    __int64 savedNudge = 0;
};

// The shell's rectangles (Windows 7 and later) place both icons as soon as they are added: the
// left-hand icon shows what icon 0 shows in the order the icons were added, and the other way
// round; both orders, side by side, far apart and one above the other.
TEST_F(IconOrder, TheShellsRectanglesDecideBeforeThePointerComes) {
    TestStrip addedOrder;
    addedOrder.InitIcons(nullptr, GetModuleHandleW(nullptr), L""); // no rectangles: the added order
    struct Case {
        const char* name;
        RECT icon0, icon1;
        bool iconOneFirst;
    };
    const Case cases[] = {
        {"icon 0 left of icon 1", Cell(700, 775, 24, 30), Cell(724, 775, 24, 30), false},
        {"icon 1 left of icon 0", Cell(724, 775, 24, 30), Cell(700, 775, 24, 30), true},
        {"icon 1 far left of icon 0", Cell(900, 775, 24, 30), Cell(100, 775, 24, 30), true},
        {"vertical taskbar, icon 1 above", Cell(1250, 430, 24, 24), Cell(1250, 406, 24, 24), true},
        {"vertical taskbar, icon 0 above", Cell(1250, 406, 24, 24), Cell(1250, 430, 24, 24), false},
    };
    for (const Case& c : cases) {
        geometry.SetShellRect(IdOf(0), c.icon0);
        geometry.SetShellRect(IdOf(1), c.icon1);
        TestStrip placed;
        placed.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        const int first = c.iconOneFirst ? 1 : 0;
        EXPECT_TRUE(SamePixels(placed.IconRecord(first).hIcon, addedOrder.IconRecord(0).hIcon))
            << c.name << ": left half";
        EXPECT_TRUE(SamePixels(placed.IconRecord(1 - first).hIcon, addedOrder.IconRecord(1).hIcon))
            << c.name << ": right half";
        EXPECT_EQ(placed.IconRecord(0).uID, IdOf(0)) << c.name << ": the records keep their identity";
        EXPECT_EQ(placed.IconRecord(0).guidItem, addedOrder.IconRecord(0).guidItem) << c.name;
    }
}

// Clicks on icons far apart, icon 1 on the left: each answers for the half it shows.
TEST_F(IconOrder, IconsFarApartEachAnswerForTheirHalf) {
    const RECT left = Cell(100, 775, 24, 30), right = Cell(900, 775, 24, 30);
    geometry.SetShellRect(IdOf(1), left);
    geometry.SetShellRect(IdOf(0), right);
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    if (!strip.Windows7Profile()) GTEST_SKIP() << "the shell's rectangles are asked first from Windows 7 on";
    ExpectReadsLeftToRight(1, left, right, "far apart");
    // The slider's left end lies on the left icon: the drag starts at step 0 there.
    strip.sliderFraction = 0.5;
    strip.SetPlayMode(Playing);
    Message(WM_RBUTTONDOWN, 1, PixelIn(left, 0, 3));
    Message(WM_MOUSEMOVE, 1, PixelIn(left, 0, 3));
    EXPECT_EQ(strip.Input().sliderPos, 0);
}

// Without rectangles (Wine's taskbar, which also puts a new icon to the left of the others),
// the order comes from the messages as the pointer passes: until both icons have been seen
// the order the icons were added in holds.
TEST_F(IconOrder, ThePointerPassingOverTheIconsTeachesTheOrder) {
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    TestStrip addedOrder;
    addedOrder.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    const RECT left = TaskbarCell(2), right = TaskbarCell(1); // icon 1 was added last: left
    Hover(0, right);
    EXPECT_TRUE(SamePixels(strip.IconRecord(0).hIcon, addedOrder.IconRecord(0).hIcon))
        << "one icon seen: the added order";
    Hover(1, left);
    EXPECT_TRUE(SamePixels(strip.IconRecord(1).hIcon, addedOrder.IconRecord(0).hIcon))
        << "icon 1 on the left: the left half";
    ExpectReadsLeftToRight(1, left, right, "icon 1 on the left");

    // A single move reported for the icon the pointer has just left teaches nothing.
    Message(WM_MOUSEMOVE, 0, PixelIn(left, 2, 4));
    ExpectReadsLeftToRight(1, left, right, "after a stale move");

    // The icons change places between two clicks: the press on the moved icon shows it.
    EXPECT_EQ(Click(0, left, 14, 14), "load") << "the press in icon 1's old cell shows icon 0 has moved there";
    ExpectReadsLeftToRight(0, left, right, "icons exchanged");
}

// Presses show an icon's place too, on any profile; one icon missing from the tray (never seen,
// its rectangle unanswered) leaves the added order.
TEST_F(IconOrder, PressesTeachAndAnUnansweredRectangleLeavesTheAddedOrder) {
    geometry.SetShellRect(IdOf(1), TaskbarCell(2)); // the query for icon 0 fails
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    const RECT left = TaskbarCell(2), right = TaskbarCell(1);
    geometry.ClearShellRects();
    EXPECT_EQ(Click(1, left, 14, 14), "next") << "icon 1 alone seen: the added order";
    EXPECT_EQ(Click(0, right, 14, 14), "next") << "both pressed: icon 0 is on the right";
    EXPECT_EQ(Click(1, left, 1, 14), "prev");

    // A new taskbar, another DPI or other settings: learnt again, the order kept meanwhile.
    strip.RelearnIconOrder();
    EXPECT_EQ(Click(1, left, 1, 14), "prev");
}

} // namespace
