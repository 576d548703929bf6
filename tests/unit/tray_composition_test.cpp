// The two tray icons as composed from the image set, read back pixel by pixel: what each play
// mode, slider mode, cursor position and hot element puts where.
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/tray_geometry.h"
#include "tests/support/windows_version.h"
#include "tests/support/strip_match.h"

#include <gtest/gtest.h>
#include <cmath>
#include <ctime>
#include <limits>
#include <vector>

namespace {

using namespace StripImage;

// An image placed into one of the two icons at icon-pixel coordinates.
struct Placement {
    int image;
    int icon;
    int x;
    int y;
};

// What the two icons should hold: the opaque pixels of each placed image, clipped to the
// icon, later placements over earlier ones; everything else transparent.
struct ExpectedStrip {
    Pixels icon[2];

    ExpectedStrip(const TestStrip& strip, const std::vector<Placement>& placements) {
        for (Pixels& p : icon) {
            p.width = p.height = 16;
            p.color.assign(256, 0);
            p.opaque.assign(256, false);
        }
        for (const Placement& place : placements) {
            const NotifyIcons::Image& image = strip.ImageAt(place.image);
            std::vector<uint32_t> color = ReadBitmapPixels(image.colorDC.bitmap(), image.width, image.height);
            std::vector<uint32_t> mask = ReadBitmapPixels(image.maskDC.bitmap(), image.width, image.height);
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    int tx = place.x + x, ty = place.y + y;
                    if (tx < 0 || tx >= 16 || ty < 0 || ty >= 16 || (mask[y * image.width + x] & 0xFFFFFF)) continue;
                    icon[place.icon].color[ty * 16 + tx] = color[y * image.width + x];
                    icon[place.icon].opaque[ty * 16 + tx] = true;
                }
        }
    }
};

bool RowsTransparent(HICON icon, int firstRow, int lastRow) {
    Pixels pixels = ReadIconPixels(icon);
    for (int y = firstRow; y <= lastRow; ++y)
        for (int x = 0; x < 16; ++x)
            if (pixels.Opaque(x, y)) return false;
    return pixels.Valid();
}

bool HasColour(HICON icon, int left, int top, int right, int bottom, uint32_t rgb) {
    Pixels pixels = ReadIconPixels(icon);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (pixels.Opaque(x, y) && pixels.Rgb(x, y) == rgb) return true;
    return false;
}

class TrayComposition : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.Installed());
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        offset = strip.Profile().buttonXOffset;
    }

    // Buttons of a strip that is not stopped, normal images unless named hot.
    std::vector<Placement> Buttons(PlayMode mode, int hot = TrayButton::None) const {
        auto pick = [hot](int pair, int button) { return hot == button ? pair : pair + 1; };
        return {{pick(NextH, TrayButton::Next), 1, offset + 8, 8},
                {pick(mode == Stopped ? LoadH : StopH, TrayButton::StopLoad), 0, offset + 7, 8},
                {pick(BackH, TrayButton::Back), 0, 0, 8},
                {pick(mode == Playing ? PauseH : PlayH, TrayButton::PlayPause), 1, 1, 8}};
    }
    std::vector<Placement> Slider(int cursorPair, int position, bool hot = false) const {
        int cursor = hot ? cursorPair : cursorPair + 1;
        return {{BarL, 0, 0, 0}, {BarR, 1, 0, 0}, {cursor, 0, position + 2, 0}, {cursor, 1, position - 14, 0}};
    }
    std::vector<Placement> Bar() const { return {{BarL, 0, 0, 0}, {BarR, 1, 0, 0}}; }
    // A left press in icon 0's cell of a classic toolbar, above the icon, where it hits no
    // element: the strip holds a press and draws nothing differently.
    void PressWhereNothingIs() {
        TrayGeometry geometry;
        ASSERT_TRUE(geometry.Installed());
        const int toolbarLeft = 1100; // not a resource id: pixels
        const int cellLeft = toolbarLeft + strip.Profile().trayXOffset;
        geometry.SetClassicTaskbar({0, 760, 1280, 800}, {toolbarLeft, 770, cellLeft + 6 * 24, 800}, SIZE{24, 30});
        geometry.SetPointer(cellLeft + 12, 770);
        strip.NotifyIconCallback(WM_LBUTTONDOWN, NotifyIcons::kIconId[0]);
        ASSERT_TRUE(strip.Input().buttonDown);
        ASSERT_EQ(strip.Input().hotButton, TrayButton::None);
    }
    static std::vector<Placement> Join(std::vector<Placement> a, const std::vector<Placement>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    ShellTray shell;
    TestStrip strip;
    int offset = 0;
};

TEST_F(TrayComposition, StoppedShowsLoadAndPlayOverAnEmptySliderRowInEitherSliderMode) {
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Buttons(Stopped))));
    for (bool volume : {false, true}) {
        strip.SetSliderMode(volume);
        EXPECT_TRUE(RowsTransparent(strip.IconRecord(0).hIcon, 0, 7)) << "volume " << volume;
        EXPECT_TRUE(RowsTransparent(strip.IconRecord(1).hIcon, 0, 7)) << "volume " << volume;
    }
    EXPECT_EQ(strip.positionRequests, 0) << "a stopped strip does not ask for the position";
}

TEST_F(TrayComposition, PlayingAndPausedShowStopPauseOrPlayAndTheSeekCursor) {
    strip.sliderFraction = 0.0;
    strip.SetPlayMode(Playing);
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, 0), Buttons(Playing)))));
    strip.SetPlayMode(Paused);
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, 0), Buttons(Paused)))));
}

TEST_F(TrayComposition, TheCursorCrossesFromIconZeroToIconOne) {
    strip.SetPlayMode(Playing);
    for (int step : {0, 13, 14, 24}) {
        strip.sliderFraction = AtStep(step);
        strip.Refresh();
        EXPECT_EQ(strip.Input().sliderPos, step) << "step " << step;
        EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, step), Buttons(Playing)))))
            << "step " << step;
    }
    // At step 14 the cursor lies wholly in icon 1, starting at its first column.
    strip.sliderFraction = AtStep(14);
    strip.Refresh();
    Pixels left = ReadIconPixels(strip.IconRecord(0).hIcon);
    Pixels right = ReadIconPixels(strip.IconRecord(1).hIcon);
    EXPECT_NE(left.color[3 * 16 + 15], right.color[3 * 16 + 0]) << "bar end in icon 0, cursor tip row in icon 1";
}

TEST_F(TrayComposition, VolumeModeDrawsTheVolumeCursorEvenWithoutAPosition) {
    strip.SetPlayMode(Playing);
    strip.sliderFraction = AtStep(14);
    strip.SetSliderMode(true);
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursVolH, 14), Buttons(Playing)))));
    strip.sliderFraction = -1.0;
    strip.Refresh();
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursVolH, 0), Buttons(Playing)))));
}

TEST_F(TrayComposition, ANegativeFractionHidesTheSeekCursor) {
    strip.sliderFraction = -1.0;
    strip.SetPlayMode(Playing);
    EXPECT_FALSE(strip.Input().sliderPosValid) << "fraction -1";
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Bar(), Buttons(Playing)))));
    strip.sliderFraction = std::numeric_limits<double>::quiet_NaN();
    strip.Refresh();
    EXPECT_FALSE(strip.Input().sliderPosValid) << "no number is no position";
}

TEST_F(TrayComposition, FractionsAboveOneStopAtTheLastStepWithoutRedrawingEachTime) {
    strip.SetPlayMode(Playing);
    strip.sliderFraction = 1.0;
    strip.Refresh();
    EXPECT_EQ(strip.Input().sliderPos, 24) << "fraction 1";
    // 11.0 x 24 is 264, which would wrap to step 8 in eight bits; 1e300 is no integer at all.
    for (double fraction : {1.04, 11.0, 1e300, std::numeric_limits<double>::infinity()}) {
        strip.sliderFraction = fraction;
        shell.Clear();
        strip.Refresh();
        EXPECT_EQ(strip.Input().sliderPos, 24) << fraction;
        EXPECT_TRUE(ShellGot(shell, "nothing sent: the picture did not change", {})) << fraction;
        EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, 24), Buttons(Playing))))) << fraction;
    }
}

TEST_F(TrayComposition, EachHotElementUsesItsHotImage) {
    strip.sliderFraction = AtStep(5);
    strip.SetPlayMode(Paused);
    for (int hot : {TrayButton::Back, TrayButton::StopLoad, TrayButton::PlayPause, TrayButton::Next}) {
        strip.LightButton(hot);
        EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, 5), Buttons(Paused, hot)))))
            << "hot " << hot;
    }
    strip.LightButton(TrayButton::Slider);
    EXPECT_TRUE(IconsMatch(strip, ExpectedStrip(strip, Join(Slider(CursSldH, 5, true), Buttons(Paused)))));
}

TEST_F(TrayComposition, HotImagesAreLightInsideNormalOnesAreNot) {
    // The artwork's fill colour of hot images (white in the classic set, near white in the
    // alpha set) appears in the play button's place only while it is hot.
    const uint32_t fill = strip.Windows7Profile() ? 0xF4F4F4 : 0xFFFFFF;
    EXPECT_FALSE(HasColour(strip.IconRecord(1).hIcon, 1, 8, 7, 14, fill)) << "normal";
    strip.LightButton(TrayButton::PlayPause);
    EXPECT_TRUE(HasColour(strip.IconRecord(1).hIcon, 1, 8, 7, 14, fill)) << "hot";
}

TEST_F(TrayComposition, OnlyAChangeOfAVisibleValueRecomposes) {
    strip.SetPlayMode(Playing);
    NotifyIcons::TipRewrittenAt(_time64(nullptr)); // no tooltip rewrite in between
    HICON before = strip.IconRecord(0).hIcon;
    shell.Clear();
    strip.Refresh();
    EXPECT_EQ(strip.IconRecord(0).hIcon, before) << "a refresh with nothing changed";
    EXPECT_TRUE(ShellGot(shell, "nothing sent while nothing visible changed", {}));
    ASSERT_NO_FATAL_FAILURE(PressWhereNothingIs());
    strip.Refresh();
    EXPECT_NE(strip.IconRecord(0).hIcon, before) << "a press alone still redraws and republishes";
    std::vector<ShellCall> modifies = shell.CallsOf(NIM_MODIFY);
    ASSERT_EQ(modifies.size(), 2u);
    for (const ShellCall& modify : modifies) {
        HICON published = strip.IconRecord(modify.id == 6862 ? 0 : 1).hIcon;
        EXPECT_EQ(modify.icon, published) << "icon " << modify.id << " hands the new picture to the shell";
    }
}

} // namespace

namespace {
TEST(TrayCompositionProfiles, ComposesTheSameWayWithTheClassicSet) {
    for (const wchar_t* version : {L"winxp64", L"vista"}) {
        ChildResult child = RunTestsAsWindowsVersion(version, "TrayComposition.*", TestsInSuite("TrayComposition"));
        EXPECT_TRUE(child.finished) << version;
        EXPECT_EQ(child.exitCode, 0u) << version << ": composition failed in a child (report above)";
    }
}
} // namespace
