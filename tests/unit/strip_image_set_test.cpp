// What the strip's image set is loaded for: the layout chosen for each drawn size, with and
// without a skin, and when a set must be loaded again.
#include "tray/strip_image_set.h"

#include <gtest/gtest.h>

namespace {

// Typed from the layout tables: the artwork exists at 16, 20, 24 and 32 pixels; a skin is
// drawn at 16 pixels times the largest whole factor that fits; either is centred.
struct Case {
    int drawn;
    bool skin;
    int layout, offset;
};
const Case kCases[] = {
    {16, false, 16, 0}, {18, false, 16, 1}, {22, false, 20, 1}, {24, false, 24, 0},
    {28, false, 24, 2}, {40, false, 32, 4}, {20, true, 16, 2},  {24, true, 16, 4},
    {32, true, 32, 0},  {40, true, 32, 4},  {48, true, 48, 0},
};

TEST(StripImageSet, ChoosesTheLayoutForEachSizeCentred) {
    for (const Case& c : kCases) {
        StripImageSet set;
        set.SetSkin(c.skin ? L"C:\\skins\\mine" : L"");
        EXPECT_EQ(set.Choose(c.drawn, false, 2), c.layout) << c.drawn << (c.skin ? " with a skin" : "");
        EXPECT_EQ(set.Layout().size, c.layout) << c.drawn << (c.skin ? " with a skin" : "");
        EXPECT_EQ(set.LayoutOffset(), c.offset) << c.drawn << (c.skin ? " with a skin" : "");
        EXPECT_EQ(set.IconSize(), c.drawn);
    }
}

TEST(StripImageSet, LoadedAgainOnlyForAnotherSizeOrTheme) {
    StripImageSet set;
    EXPECT_TRUE(set.LoadedFor(16, false)) << "before any load: the standard size, light";
    set.Choose(24, true, 2);
    EXPECT_TRUE(set.LoadedFor(24, true));
    EXPECT_FALSE(set.LoadedFor(24, false)) << "the theme changed";
    EXPECT_FALSE(set.LoadedFor(20, true)) << "the size changed";
    set.SetSkin(L"C:\\skins\\mine");
    EXPECT_EQ(set.Layout().size, 24) << "a new skin counts from the next load";
    set.Choose(24, true, 2);
    EXPECT_EQ(set.Layout().size, 16);
}

} // namespace
