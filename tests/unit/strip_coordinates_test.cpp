// Screen points on the tray as strip coordinates, and the slider step under a strip column.
#include "tray/strip_coordinates.h"

#include <gtest/gtest.h>

namespace {

using namespace StripCoordinates;

const StripMetrics kXp = {16, 16, 2, 2, 0, 0};
const StripMetrics kVista = {16, 16, 1, 1, 1, 0};
const StripMetrics kWin7 = {16, 16, 8, 14, 2, 0};

::testing::AssertionResult Is(POINT got, int x, int y) {
    if (got.x == x && got.y == y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.x << ", " << got.y << "), want (" << x << ", " << y << ")";
}

TEST(StripFromToolbar, EveryCellAndRowMapsOntoTheReportedIcon) {
    // Three rows of 18-pixel cells with 4 pixels to spare, so the rows start 2 pixels down.
    const RECT toolbar = {1000, 700, 1000 + 5 * 18, 700 + 3 * 18 + 4};
    const POINT thirdCellSecondRow = {1000 + 2 * 18 + 5, 700 + 2 + 18 + 9};
    EXPECT_TRUE(Is(FromToolbar(thirdCellSecondRow, 0, toolbar, kXp), 5, 9));
    EXPECT_TRUE(Is(FromToolbar(thirdCellSecondRow, 1, toolbar, kXp), 18 + 5, 9)) << "icon 1 starts at 16 + gap";

    EXPECT_EQ(FromToolbar({1005, 700 + 1}, 0, toolbar, kXp).y, kOutsideRows) << "in the spare pixels above the rows";
    EXPECT_EQ(FromToolbar({1005, 700 + 2 + 54}, 0, toolbar, kXp).y, 0) << "the last row's far edge";
    EXPECT_EQ(FromToolbar({1005, 700 + 2 + 55}, 0, toolbar, kXp).y, kOutsideRows) << "in the spare pixels below";
    EXPECT_EQ(FromToolbar({1005, 699}, 0, toolbar, kXp).y, kOutsideRows) << "above the toolbar";
    EXPECT_EQ(FromToolbar({1005, toolbar.bottom + 3}, 0, toolbar, kXp).y, 0) << "below the toolbar: a row's top";
}

TEST(StripFromToolbar, PointsLeftOfTheFirstCellKeepTheirSign) {
    const RECT toolbar = {1000, 700, 1100, 717};
    // Three pixels left of the first cell (Vista puts it one pixel into the toolbar).
    POINT pointer = {1000 + 1 - 3, 705};
    EXPECT_TRUE(Is(FromToolbar(pointer, 0, toolbar, kVista), -3, 5));
    EXPECT_TRUE(Is(FromToolbar(pointer, 1, toolbar, kVista), 17, 5)) << "icon 1 never reaches into icon 0";
}

TEST(StripFromToolbar, LargerSmallIconsAreScaledToSixteenIconPixels) {
    const StripMetrics large = {24, 24, 5, 14, 2, 0};
    const RECT toolbar = {1000, 700, 1200, 738};  // one row: 24 + 14
    POINT pointer = {1000 + 2 + 29 + 18, 700 + 20};
    EXPECT_TRUE(Is(FromToolbar(pointer, 0, toolbar, large), 12, 13));

    // Small icons with a wide gap: icon 0's x ends at the end of its cell.
    const StripMetrics small = {12, 12, 8, 14, 0, 0};
    EXPECT_EQ(FromToolbar({1000 + 19, 705}, 0, toolbar, small).x, 8 + 15);
    EXPECT_EQ(FromToolbar({1000 + 20 - 1, 705}, 1, toolbar, small).x, 24 + 25);
}

TEST(StripFromIconRect, GivesTheToolbarsCoordinatesForEveryPixelOfTheIcon) {
    // A 20 x 20 icon window with the icon centred: its pixels start at (502, 502).
    const RECT iconWindow = {500, 500, 520, 520};
    for (const StripMetrics& metrics : {kXp, kVista, kWin7}) {
        // A one-row toolbar that would show the same icon at the same place.
        RECT toolbar = {502 - metrics.trayXOffset, 502 - metrics.rowGap / 2, 0, 0};
        toolbar.right = toolbar.left + 100;
        toolbar.bottom = toolbar.top + 16 + metrics.rowGap;
        for (int icon = 0; icon < 2; ++icon)
            for (int dy = 0; dy < 16; ++dy)
                for (int dx = 0; dx < 16; ++dx) {
                    POINT pointer = {502 + dx, 502 + dy};
                    POINT fromIcon = FromIconRect(pointer, icon, iconWindow, metrics);
                    POINT fromToolbar = FromToolbar(pointer, icon, toolbar, metrics);
                    ASSERT_TRUE(Is(fromIcon, fromToolbar.x, fromToolbar.y))
                        << "gap " << metrics.iconGap << ", icon " << icon << ", pixel " << dx << "," << dy;
                }
    }
    // The window's frame beside the icon stays beside it: the left frame is left of column 0,
    // and the right frame does not wrap round to the cell's start (Vista's cell is 17 wide).
    EXPECT_EQ(FromIconRect({500, 510}, 0, iconWindow, kVista).x, -2);
    EXPECT_EQ(FromIconRect({519, 510}, 0, iconWindow, kVista).x, 16);
    EXPECT_EQ(FromIconRect({510, 500}, 0, iconWindow, kXp).y, kOutsideRows) << "frame above the row's gap";
    EXPECT_EQ(FromIconRect({510, 500}, 0, iconWindow, kWin7).y, 5) << "within the row's gap";
}

TEST(SliderStep, SkipsTheGapAndStopsAtBothEnds) {
    // Before Windows 7, gap 2: the cursor's left edge under the pointer.
    EXPECT_EQ(SliderStep(-5, false, 2, 0, 24), 0);
    EXPECT_EQ(SliderStep(2, false, 2, 0, 24), 0);
    EXPECT_EQ(SliderStep(13, false, 2, 0, 24), 11);
    EXPECT_EQ(SliderStep(14, false, 2, 0, 24), 12);
    EXPECT_EQ(SliderStep(15, false, 2, 0, 24), 12);
    EXPECT_EQ(SliderStep(16, false, 2, 0, 24), 12);
    EXPECT_EQ(SliderStep(18, false, 2, 0, 24), 14) << "icon 1's first column";
    EXPECT_EQ(SliderStep(35, false, 2, 0, 24), 24);
    EXPECT_EQ(SliderStep(500, false, 2, 0, 24), 24);
    // Windows 7, gap 8, tray offset 2: relative to half the gap and the offset.
    EXPECT_EQ(SliderStep(6, true, 8, 2, 24), 0);
    EXPECT_EQ(SliderStep(17, true, 8, 2, 24), 11);
    EXPECT_EQ(SliderStep(18, true, 8, 2, 24), 12);
    EXPECT_EQ(SliderStep(26, true, 8, 2, 24), 12);
    EXPECT_EQ(SliderStep(27, true, 8, 2, 24), 13);
    EXPECT_EQ(SliderStep(47, true, 8, 2, 24), 24);
}

} // namespace
