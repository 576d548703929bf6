// The wheel hover on its own: when it hooks the wheel, which turns count, and when it ends.
#include "base/user_handles.h"
#include "tray/wheel_hover.h"
#include "tests/support/pointer_position.h"

#include <gtest/gtest.h>

namespace {

// A turn of the wheel as the hook posts it: the delta, and the screen point.
WPARAM Delta(int delta) { return static_cast<WPARAM>(static_cast<LONG_PTR>(delta)); }
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class WheelHoverTest : public testing::Test {
protected:
    UniqueWindow window{CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)};
    const RECT area = {1100, 700, 1140, 730}; // not a resource id: the strip's two cells, screen pixels
    WheelHover hover;
};

TEST_F(WheelHoverTest, OnlyTurnsOnTheAreaDuringAHoverMakeNotches) {
    EXPECT_FALSE(hover.HookInstalled()) << "nothing hooked before a hover";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA), At(1110, 710), area), 0) << "before a hover";
    hover.Begin(window.get());
    EXPECT_TRUE(hover.Active());
    EXPECT_TRUE(hover.HookInstalled());
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA), At(1110, 710), area), 1) << "a notch up on the area";
    const LPARAM lastPixel = At(area.right - 1, area.bottom - 1);
    EXPECT_EQ(hover.NotchesAt(Delta(-2 * WHEEL_DELTA), lastPixel, area), -2) << "two down at the last pixel";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA), At(1140, 710), area), 0) << "just right of the area";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA / 2), At(1110, 710), area), 0) << "half a notch";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA / 2), At(1110, 710), area), 1) << "the other half";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA / 2), At(1110, 710), area), 0) << "half a notch before the hover ends";
    hover.End();
    EXPECT_FALSE(hover.HookInstalled()) << "the hook goes with the hover";
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA), At(1110, 710), area), 0) << "a turn posted before the end";
    hover.Begin(window.get());
    EXPECT_EQ(hover.NotchesAt(Delta(WHEEL_DELTA / 2), At(1110, 710), area), 0) << "a new hover forgets the half notch";
}

TEST_F(WheelHoverTest, TheHoverEndsOnceThePointerIsOffTheAreaAndItsFarEdges) {
    hover.Begin(window.get());
    ASSERT_TRUE(MovePointerTo(POINT{area.right, area.bottom})) << "the far corner";
    hover.EndIfLeft(area);
    EXPECT_TRUE(hover.Active()) << "the far edges count as on the strip";
    ASSERT_TRUE(MovePointerTo(POINT{area.right + 1, area.top + 20}));
    hover.EndIfLeft(area);
    EXPECT_FALSE(hover.Active()) << "a pixel further right";
    EXPECT_FALSE(hover.HookInstalled());
}

} // namespace
