// The strip at the shell's small-icon sizes (16, 20, 24, 32 and what lies between) in both
// taskbar themes, read back pixel by pixel against hand-placed models: where every element
// sits, which artwork and which colours each size and theme draws with, and that repeated
// composition at 32 pixels leaves nothing behind.
#include "tests/support/gdi_tracker.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/small_icon_size.h"
#include "tests/support/taskbar_theme_value.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"
#include "tests/support/strip_match.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace StripImage;

// One size's layout as drawn, typed from the artwork and the zone tables.
struct SizeModel {
    int size;        // icon and layout
    int glyph;       // buttons are glyph x glyph; the slider block is glyph rows high
    int cursorWidth; // cursors are cursorWidth x glyph
    int buttonRow;
    int stopAt[2];   // x of stop/load in icon 0 at buttonXOffset 1 and 2
    int play;        // x of play/pause in icon 1
    int nextAt[2];   // x of next in icon 1 at buttonXOffset 1 and 2
    int cursorAt[3]; // strip column of the cursor's left edge at steps 0, 13 and 24
    int nextBar[2];  // column of next's bar, its last, at buttonXOffset 1 and 2
};
const SizeModel kSizes[] = {
    {16, 7, 4, 8, {8, 9}, 1, {9, 10}, {2, 15, 26}, {14, 15}},
    {20, 9, 5, 10, {10, 11}, 1, {11, 12}, {2, 18, 32}, {17, 18}},
    {24, 11, 6, 12, {12, 13}, 1, {13, 14}, {3, 22, 39}, {21, 22}},
    {32, 14, 8, 16, {16, 18}, 2, {18, 20}, {4, 30, 52}, {28, 30}},
};
const int kSteps[3] = {0, 13, 24};

// The colours of a set: normal images solid, hot ones an outline around a fill.
struct ThemeModel {
    const char* name;
    bool dark;
    uint32_t solid, outline, fill;
};
const ThemeModel kLight = {"light", false, 0x202840, 0x1A1A1A, 0xF4F4F4};
const ThemeModel kDark = {"dark", true, 0xE2E8F6, 0xF4F4F4, 0x1A1A1A};
const ThemeModel kClassic = {"classic", false, 0x000080, 0x000000, 0xFFFFFF};

struct Placement {
    int image;
    int icon;
    int x;
    int y;
};

// What the two icons should hold: the opaque pixels of each placed image, clipped to the
// square [clip, clip + layout) of its icon, later placements over earlier ones.
struct ExpectedStrip {
    Pixels icon[2];

    ExpectedStrip(const TestStrip& strip, int size, int clip, int layout, const std::vector<Placement>& placements) {
        for (Pixels& p : icon) {
            p.width = p.height = size;
            p.color.assign(size * size, 0);
            p.opaque.assign(size * size, false);
        }
        for (const Placement& place : placements) {
            const NotifyIcons::Image& image = strip.ImageAt(place.image);
            std::vector<uint32_t> color = ReadBitmapPixels(image.colorDC.bitmap(), image.width, image.height);
            std::vector<uint32_t> mask = ReadBitmapPixels(image.maskDC.bitmap(), image.width, image.height);
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    int tx = place.x + x, ty = place.y + y;
                    if (tx < clip || tx >= clip + layout || ty < clip || ty >= clip + layout) continue;
                    if (mask[y * image.width + x] & 0xFFFFFF) continue;
                    icon[place.icon].color[ty * size + tx] = color[y * image.width + x];
                    icon[place.icon].opaque[ty * size + tx] = true;
                }
        }
    }
};


class TraySizes : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.Installed());
        ASSERT_TRUE(iconSize.Installed());
    }
    // Dark taskbars exist from Windows 10 on. The children below run as Wine's "win10", which
    // GetVersionExW reports as 10.0 to this executable (it carries the player's manifest); the
    // parent runs as Wine's default, Windows 7, where the dark value is ignored.
    static const ThemeModel& ThemeFor(bool dark, const TestStrip& strip) {
        if (!strip.Windows7Profile()) return kClassic;
        return dark && ReportedVersionIs(10, 0) ? kDark : kLight;
    }
    // The strip of one state, every element where the model puts it, offset by `o`.
    static std::vector<Placement> Placements(const SizeModel& m, int bxo, int o, PlayMode mode, int step, int hot,
                                             bool volume) {
        auto pick = [hot](int pair, int button) { return hot == button ? pair : pair + 1; };
        std::vector<Placement> placed;
        if (mode != Stopped) {
            int cursor = pick(volume ? CursVolH : CursSldH, TrayButton::Slider);
            int column = m.cursorAt[step];
            placed = {
                {BarL, 0, o, o}, {BarR, 1, o, o}, {cursor, 0, o + column, o}, {cursor, 1, o + column - m.size, o}};
        }
        int row = o + m.buttonRow;
        placed.push_back({pick(NextH, TrayButton::Next), 1, o + m.nextAt[bxo - 1], row});
        placed.push_back({pick(mode == Stopped ? LoadH : StopH, TrayButton::StopLoad), 0, o + m.stopAt[bxo - 1], row});
        placed.push_back({pick(BackH, TrayButton::Back), 0, o, row});
        placed.push_back({pick(mode == Playing ? PauseH : PlayH, TrayButton::PlayPause), 1, o + m.play, row});
        return placed;
    }
    static void Show(TestStrip& strip, PlayMode mode, int step, int hot, bool volume) {
        strip.sliderFraction = AtStep(kSteps[step]);
        strip.LightButton(hot);
        strip.SetSliderMode(volume);
        strip.SetPlayMode(mode);
    }

    ShellTray shell;
    SmallIconSize iconSize{16};
    TaskbarThemeValue theme;
};

struct State {
    PlayMode mode;
    int step; // index into kSteps
    int hot;
    bool volume;
};
const State kStates[] = {
    {Stopped, 0, TrayButton::StopLoad, false}, {Playing, 1, TrayButton::Next, false},
    {Paused, 2, TrayButton::PlayPause, false}, {Playing, 0, TrayButton::Slider, true},
    {Paused, 1, TrayButton::Back, true},
};

TEST_F(TraySizes, EachSizeDrawsItsOwnArtworkWhereItsLayoutPutsIt) {
    for (const SizeModel& m : kSizes) {
        for (bool dark : {false, true}) {
            iconSize.Set(m.size);
            if (dark) theme.Dark();
            else theme.Light();
            TestStrip strip;
            strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
            const ThemeModel& colours = ThemeFor(dark, strip);
            SCOPED_TRACE(std::to_string(m.size) + " pixels, " + colours.name);
            const int bxo = strip.Profile().buttonXOffset;
            EXPECT_EQ(strip.ImageSet().IconSize(), m.size);
            EXPECT_EQ(strip.ImageAt(BackL).width, m.glyph);
            EXPECT_EQ(strip.ImageAt(StopH).height, m.glyph);
            EXPECT_EQ(strip.ImageAt(CursSldL).width, m.cursorWidth);
            EXPECT_EQ(strip.ImageAt(CursVolH).height, m.glyph);
            EXPECT_EQ(strip.ImageAt(BarR).width, m.size);
            for (const State& s : kStates) {
                Show(strip, s.mode, s.step, s.hot, s.volume);
                EXPECT_TRUE(IconsMatch(
                    strip, ExpectedStrip(strip, m.size, 0, m.size,
                                         Placements(m, bxo, 0, s.mode, s.step, s.hot, s.volume))))
                    << "mode " << s.mode << ", step " << kSteps[s.step] << ", hot " << s.hot;
            }
            // The colours, at pixels the artwork puts there at every size: previous's bar in
            // column 0, next's bar inside the icon, stop's middle.
            Show(strip, Paused, 0, TrayButton::None, false);
            Pixels left = ReadIconPixels(strip.IconRecord(0).hIcon);
            int stopMiddle = m.stopAt[bxo - 1] + m.glyph / 2, rowMiddle = m.buttonRow + m.glyph / 2;
            EXPECT_EQ(left.Rgb(0, rowMiddle), colours.solid);
            Pixels right = ReadIconPixels(strip.IconRecord(1).hIcon);
            int nextBar = m.nextBar[bxo - 1];
            EXPECT_TRUE(right.Opaque(nextBar, m.buttonRow) && right.Opaque(nextBar, m.buttonRow + m.glyph - 1));
            EXPECT_EQ(right.Rgb(nextBar, rowMiddle), colours.solid);
            EXPECT_EQ(left.Rgb(stopMiddle, rowMiddle), colours.solid) << "stop, normal";
            Show(strip, Paused, 0, TrayButton::StopLoad, false);
            left = ReadIconPixels(strip.IconRecord(0).hIcon);
            EXPECT_EQ(left.Rgb(stopMiddle, rowMiddle), colours.fill) << "stop, hot";
            EXPECT_EQ(left.Rgb(stopMiddle, m.buttonRow), colours.outline);
        }
    }
}

TEST_F(TraySizes, SizesInBetweenCentreTheNextSmallerLayoutAndClipToIt) {
    struct Between {
        int drawn, layout, offset;
    };
    for (const Between& b :
         {Between{17, 16, 0}, Between{22, 20, 1}, Between{28, 24, 2}, Between{40, 32, 4}, Between{48, 32, 8}}) {
        SCOPED_TRACE(std::to_string(b.drawn) + " pixels");
        iconSize.Set(b.drawn);
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        EXPECT_EQ(strip.ImageSet().IconSize(), b.drawn);
        EXPECT_EQ(strip.ImageSet().Layout().size, b.layout);
        EXPECT_EQ(strip.ImageSet().LayoutOffset(), b.offset);
        const int bxo = strip.Profile().buttonXOffset;
        const SizeModel* m = nullptr;
        for (const SizeModel& candidate : kSizes)
            if (candidate.size == b.layout) m = &candidate;
        ASSERT_NE(m, nullptr);
        // Step 13 puts the cursor across the boundary: clipped at the layout's edge, it shows
        // once in each icon and never in the margins.
        for (const State& s : {kStates[1], kStates[3]}) {
            Show(strip, s.mode, s.step, s.hot, s.volume);
            EXPECT_TRUE(IconsMatch(
                strip, ExpectedStrip(strip, b.drawn, b.offset, b.layout,
                                     Placements(*m, bxo, b.offset, s.mode, s.step, s.hot, s.volume))))
                << "mode " << s.mode << ", step " << kSteps[s.step] << ", hot " << s.hot;
        }
    }
}

TEST_F(TraySizes, OddSmallIconSizesDrawAtSixteenOrAtMostTwoHundredFiftySix) {
    struct Odd {
        int reported, drawn, layout;
    };
    for (const Odd& odd : {Odd{0, 16, 16}, Odd{-20, 16, 16}, Odd{12, 16, 16}, Odd{100000, 256, 32}}) {
        iconSize.Set(odd.reported);
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        strip.SetPlayMode(Playing);
        EXPECT_EQ(strip.ImageSet().IconSize(), odd.drawn) << odd.reported;
        EXPECT_EQ(strip.ImageSet().Layout().size, odd.layout) << odd.reported;
        EXPECT_EQ(ReadIconPixels(strip.IconRecord(1).hIcon).width, odd.drawn) << odd.reported;
    }
}

TEST_F(TraySizes, RepeatedCompositionAtThirtyTwoPixelsLeavesNothingBehind) {
    iconSize.Set(32);
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    strip.SetPlayMode(Playing);
    NotifyIcons::TipRewrittenAt(_time64(nullptr));
    GdiTracker gdi;
    ASSERT_TRUE(gdi.Installed());
    strip.sliderFraction = AtStep(1);
    strip.Refresh();
    size_t before = gdi.Live();
    for (int i = 0; i < 2000; ++i) {
        strip.sliderFraction = AtStep(i % 25);
        strip.Refresh();
    }
    EXPECT_GT(gdi.Created(), 2000u) << "every refresh composed";
    EXPECT_EQ(gdi.Live(), before) << "the bench runs this 100,000 times";
}

// Windows 10 draws the dark set on a dark taskbar; the profiles before Windows 7 draw the
// 16-colour set at every size whatever the value says, with their own offsets.
TEST(TraySizesProfiles, DarkOnWindows10AndTheClassicSetAtEverySizeBeforeWindows7) {
    for (const wchar_t* version : {L"win10", L"winxp64", L"vista"}) {
        ChildResult child = RunTestsAsWindowsVersion(version, "TraySizes.EachSize*:TraySizes.SizesInBetween*");
        EXPECT_TRUE(child.finished) << version;
        EXPECT_EQ(child.exitCode, 0u) << version << ": sizes failed in a child (report above)";
    }
}

} // namespace
