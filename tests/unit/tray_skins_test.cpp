// Skin folders: each of the 18 files replaces its built-in image when it loads and falls back
// on its own when it does not; broken files, odd sizes and odd folders crash nothing and leak
// nothing; loading again releases the images loaded before.
#include "tests/support/gdi_tracker.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/small_icon_size.h"
#include "tests/support/taskbar_theme_value.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace StripImage;

const unsigned char kPng7x7[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x07, 0x00, 0x00, 0x00, 0x07, 0x08, 0x06, 0x00, 0x00, 0x00, 0xC4, 0x52, 0x57, 0xD3, 0x00, 0x00, 0x00, 0x12, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x17, 0x66, 0x18, 0x52, 0x92, 0x00, 0xB7, 0x2A,
    0x61, 0x9F, 0x44, 0x2C, 0xA7, 0xC9, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

void Put16(std::string& out, unsigned v) { out.append({char(v & 0xFF), char(v >> 8)}); }
void Put32(std::string& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// An .ico of one image filled with `rgb`, 24 bits without alpha or 1 bit (monochrome, black
// and white only), with its left column transparent.
std::string IconBytes(int width, int height, uint32_t rgb, int bits = 24) {
    int colorStride = (width * bits + 31) / 32 * 4, maskStride = (width + 31) / 32 * 4;
    std::string image;
    Put32(image, 40);
    Put32(image, width);
    Put32(image, height * 2);
    Put16(image, 1);
    Put16(image, bits);
    Put32(image, 0);
    Put32(image, (colorStride + maskStride) * height);
    Put32(image, 0);
    Put32(image, 0);
    Put32(image, bits == 1 ? 2 : 0);
    Put32(image, 0);
    if (bits == 1) {
        Put32(image, 0);
        Put32(image, 0xFFFFFF);
    }
    for (int y = 0; y < height; ++y) {
        std::string row(colorStride, '\0');
        for (int x = 1; x < width; ++x) {
            if (bits == 24) {
                row[x * 3] = char(rgb & 0xFF);
                row[x * 3 + 1] = char(rgb >> 8);
                row[x * 3 + 2] = char(rgb >> 16);
            } else if (rgb) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        image += row;
    }
    for (int y = 0; y < height; ++y) {
        std::string row(maskStride, '\0');
        row[0] = char(0x80);
        image += row;
    }
    std::string file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, 1);
    file.append({char(width % 256), char(height % 256), char(bits == 1 ? 2 : 0), 0});
    Put16(file, 1);
    Put16(file, bits);
    Put32(file, unsigned(image.size()));
    Put32(file, 22);
    return file + image;
}

class SkinFolder {
public:
    explicit SkinFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + L"trelvane-skin-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~SkinFolder() {
        for (const std::wstring& file : files) DeleteFileW(file.c_str());
        for (const std::wstring& folder : folders) RemoveDirectoryW(folder.c_str());
        RemoveDirectoryW(path.c_str());
    }
    void MakeFolder(const wchar_t* name) {
        folders.push_back(path + L"\\" + name);
        CreateDirectoryW(folders.back().c_str(), nullptr);
    }
    void Write(const wchar_t* file, const std::string& bytes) {
        files.push_back(path + L"\\" + file);
        std::ofstream(files.back().c_str(), std::ios::binary) << bytes;
    }
    std::wstring path;
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
};

std::vector<uint32_t> ColorOf(const TestStrip& strip, int index) {
    const NotifyIcons::Image& image = strip.ImageAt(index);
    return ReadBitmapPixels(image.colorDC.bitmap(), image.width, image.height);
}

class TraySkins : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.Installed());
        builtIn.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    }
    // True when image `index` of `strip` is the built-in one.
    bool IsBuiltIn(const TestStrip& strip, int index) const {
        return strip.ImageAt(index).width == builtIn.ImageAt(index).width &&
               strip.ImageAt(index).height == builtIn.ImageAt(index).height &&
               ColorOf(strip, index) == ColorOf(builtIn, index);
    }
    ShellTray shell;
    TestStrip builtIn;
};

TEST(TrayIconFile, JoinsFolderAndImageNameWithOneBackslash) {
    EXPECT_EQ(NotifyIcons::IconFile(L"C:\\skins\\dark", 10), L"C:\\skins\\dark\\NEXTH.ico");
    EXPECT_EQ(NotifyIcons::IconFile(L"C:\\skins\\dark\\", 0), L"C:\\skins\\dark\\BACKH.ico");
    EXPECT_EQ(NotifyIcons::IconFile(L"C:\\skins\\dark\\", 17), L"C:\\skins\\dark\\STOPL.ico");
    EXPECT_EQ(NotifyIcons::IconFile(L"", 3), L"");
    EXPECT_EQ(NotifyIcons::IconFile(L"C:\\skins", 18), L"");
    EXPECT_EQ(NotifyIcons::IconFile(L"C:\\skins", -1), L"");
}

TEST_F(TraySkins, BuiltInImagesHaveTheirTableSizes) {
    const int sizes[Count][2] = {{7, 7}, {7, 7}, {16, 7}, {16, 7}, {4, 7}, {4, 7}, {4, 7}, {4, 7}, {7, 7},
                                 {7, 7}, {7, 7}, {7, 7},  {7, 7},  {7, 7}, {7, 7}, {7, 7}, {7, 7}, {7, 7}};
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(builtIn.ImageAt(i).width, sizes[i][0]) << i;
        EXPECT_EQ(builtIn.ImageAt(i).height, sizes[i][1]) << i;
    }
}

TEST_F(TraySkins, AFolderWithOnlyThePlayImagesSkinsJustThose) {
    SkinFolder skin(L"play");
    skin.Write(L"PLAYH.ico", IconBytes(7, 7, 0xFF0000));
    skin.Write(L"PLAYL.ico", IconBytes(7, 7, 0x00C000));
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
    for (int i = 0; i < Count; ++i) {
        bool skinned = i == PlayH || i == PlayL;
        EXPECT_EQ(IsBuiltIn(strip, i), !skinned) << i;
    }
    Pixels icon = ReadIconPixels(strip.IconRecord(1).hIcon);
    EXPECT_FALSE(icon.Opaque(1, 8)) << "the skin image's transparent column";
    EXPECT_TRUE(icon.Opaque(2, 8));
    EXPECT_EQ(icon.Rgb(2, 8), 0x00C000u);
    EXPECT_EQ(icon.Alpha(2, 8), 255u) << "an image without alpha is opaque among images with alpha";
    strip.LightButton(TrayButton::PlayPause);
    EXPECT_EQ(ReadIconPixels(strip.IconRecord(1).hIcon).Rgb(4, 10), 0xFF0000u);
}

TEST_F(TraySkins, BrokenFilesFallBackToTheBuiltInImages) {
    SkinFolder skin(L"broken");
    std::string header = IconBytes(7, 7, 0xFF0000);
    std::string lying = header.substr(0, 22) + header.substr(22, 40); // directory promises more than follows
    std::string hugeEntry = header;
    hugeEntry[14] = hugeEntry[15] = hugeEntry[16] = char(0x7F); // size of the image: 2 GB
    std::string farOffset = header;
    farOffset[18] = farOffset[19] = farOffset[20] = char(0x7F); // image far beyond the end
    skin.Write(L"BACKH.ico", "");
    skin.Write(L"BACKL.ico", std::string(reinterpret_cast<const char*>(kPng7x7), sizeof(kPng7x7)));
    skin.Write(L"NEXTH.ico", lying);
    skin.Write(L"NEXTL.ico", hugeEntry);
    skin.Write(L"STOPH.ico", farOffset);
    skin.Write(L"STOPL.ico", std::string(4000, '\xA5'));
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
    for (int i : {BackH, BackL, NextH, NextL, StopH, StopL}) EXPECT_TRUE(IsBuiltIn(strip, i)) << i;
    EXPECT_NE(strip.IconRecord(0).hIcon, nullptr);
}

TEST_F(TraySkins, OversizedAndMonochromeImagesDrawClippedAndInColour) {
    SkinFolder skin(L"odd");
    skin.Write(L"PLAYL.ico", IconBytes(64, 64, 0x0000FF));
    skin.Write(L"BACKL.ico", IconBytes(7, 7, 0xFFFFFF, 1));
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
    EXPECT_EQ(strip.ImageAt(PlayL).width, 64);
    EXPECT_EQ(strip.ImageAt(BackL).height, 7);
    Pixels icon = ReadIconPixels(strip.IconRecord(1).hIcon);
    // The play image covers icon 1 from its second column down to the bottom edge, clipped there.
    EXPECT_EQ(icon.Rgb(15, 15), 0x0000FFu);
    EXPECT_EQ(icon.Rgb(2, 8), 0x0000FFu);
    EXPECT_FALSE(icon.Opaque(0, 8));
    // The monochrome previous image is white where set, its first column clear.
    Pixels left = ReadIconPixels(strip.IconRecord(0).hIcon);
    EXPECT_FALSE(left.Opaque(0, 9));
    EXPECT_TRUE(left.Opaque(1, 9));
    EXPECT_EQ(left.Rgb(1, 9), 0xFFFFFFu);
}

TEST_F(TraySkins, MissingOrOverlongFoldersUseTheBuiltInSet) {
    std::wstring longFolder = L"C:\\";
    while (longFolder.size() < 400) longFolder += L"very-long-folder-name\\";
    const std::pair<const char*, std::wstring> folders[] = {{"missing", L"C:\\no\\such\\skin"},
                                                            {"overlong", longFolder}};
    for (const auto& folder : folders) {
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), folder.second);
        for (int i = 0; i < Count; ++i) EXPECT_TRUE(IsBuiltIn(strip, i)) << folder.first << " folder, image " << i;
    }
}

TEST_F(TraySkins, NothingLeaksAcrossLoadsRefreshesAndDestruction) {
    SkinFolder skin(L"leak");
    skin.Write(L"PLAYH.ico", IconBytes(7, 7, 0xFF0000));
    skin.Write(L"PAUSEH.ico", "not an icon");
    skin.Write(L"CURSSLDL.ico", IconBytes(64, 64, 0x00FF00));
    GdiTracker gdi;
    ASSERT_TRUE(gdi.Installed());
    {
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
        size_t afterFirstLoad = gdi.Live();
        // Two contexts and two bitmaps per image, two icons, and the composition planes kept
        // between redraws: colour and mask for each icon plus the two empty ones, each a bitmap
        // in a context.
        EXPECT_EQ(afterFirstLoad, 2u * Count * 2 + 2 + 6 * 2);
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
        EXPECT_EQ(gdi.Live(), afterFirstLoad) << "the second load released the first one's images";
        strip.SetPlayMode(Playing);
        for (int i = 0; i < 50; ++i) {
            strip.sliderFraction = (i % 25) / 24.0;
            strip.LightButton(i % 6);
        }
        EXPECT_EQ(gdi.Live(), afterFirstLoad) << "after 50 redraws";
    }
    EXPECT_EQ(gdi.Live(), 0u);
    EXPECT_EQ(gdi.LiveByObjectType(), 0u);
    EXPECT_EQ(gdi.Created(), gdi.Released());
}

// The colour of an image's pixel (3, 3): opaque in the test icons and in every built-in glyph.
uint32_t MiddleColour(const TestStrip& strip, int index) {
    return ColorOf(strip, index).at(3 * strip.ImageAt(index).width + 3) & 0xFFFFFF;
}

TEST_F(TraySkins, SkinsForSixteenPixelsAreEnlargedByTheLargestWholeFactorAndCentred) {
    SkinFolder skin(L"sizes");
    skin.Write(L"PLAYL.ico", IconBytes(7, 7, 0x336699));
    SmallIconSize iconSize(16);
    ASSERT_TRUE(iconSize.Installed());
    struct Case {
        int drawn, factor, offset;
    };
    for (const Case& c : {Case{16, 1, 0}, Case{20, 1, 2}, Case{24, 1, 4}, Case{32, 2, 0}, Case{40, 2, 4},
                          Case{48, 3, 0}, Case{64, 4, 0}}) {
        SCOPED_TRACE(std::to_string(c.drawn) + " pixels");
        iconSize.Set(c.drawn);
        TestStrip strip;
        strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
        strip.SetPlayMode(Paused);
        EXPECT_EQ(strip.ImageSet().Layout().size, 16 * c.factor);
        EXPECT_EQ(strip.ImageSet().LayoutOffset(), c.offset);
        EXPECT_EQ(strip.ImageAt(PlayL).width, 7 * c.factor);
        EXPECT_EQ(strip.ImageAt(BackL).width, 7 * c.factor) << "built-in images of the same layout";
        EXPECT_EQ(strip.ImageAt(BarR).width, 16 * c.factor);
        // Play sits at (1, 8) of the 16-pixel layout, times the factor; each skin pixel is a
        // factor x factor block, the transparent first column included.
        Pixels right = ReadIconPixels(strip.IconRecord(1).hIcon);
        ASSERT_EQ(right.width, c.drawn);
        int x = c.offset + c.factor, y = c.offset + 8 * c.factor;
        EXPECT_FALSE(right.Opaque(x + c.factor - 1, y + c.factor - 1));
        EXPECT_TRUE(right.Opaque(x + c.factor, y));
        EXPECT_EQ(right.Rgb(x + c.factor, y), 0x336699u);
        EXPECT_EQ(right.Rgb(x + 7 * c.factor - 1, y + 7 * c.factor - 1), 0x336699u);
        EXPECT_FALSE(right.Opaque(x + 7 * c.factor, y)) << "the enlarged image ends there";
        // Clicks follow the enlarged layout: layout row 7 x factor starts the buttons, the
        // margin beside and below play is play.
        EXPECT_EQ(strip.ButtonByPos(POINT{c.drawn + x + c.factor, y - c.factor}), TrayButton::PlayPause);
        EXPECT_EQ(strip.ButtonByPos(POINT{c.drawn + x + c.factor, y - c.factor - 1}), TrayButton::Slider);
        EXPECT_EQ(strip.ButtonByPos(POINT{c.drawn, c.drawn - 1}), TrayButton::PlayPause);
        // Previous's built-in bar, one pixel wide at 16, is a factor wide.
        Pixels left = ReadIconPixels(strip.IconRecord(0).hIcon);
        EXPECT_TRUE(left.Opaque(c.offset + c.factor - 1, y));
        EXPECT_FALSE(left.Opaque(c.offset + c.factor, y));
    }
}

TEST(TraySkinsOnWindows10, RunInTheirChild) {
    ChildResult child = RunTestsAsWindowsVersion(L"win10", "TraySkins.ADarkTaskbar*");
    EXPECT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "failed in the Windows 10 child (report above)";
}

TEST_F(TraySkins, ADarkTaskbarTakesEachImageFromTheDarkFolderThenTheSkinThenTheDarkSet) {
    REQUIRE_WINDOWS_VERSION(10, 0);
    SkinFolder skin(L"themed");
    skin.MakeFolder(L"dark");
    skin.Write(L"PLAYL.ico", IconBytes(7, 7, 0x00C000));
    skin.Write(L"dark\\PLAYL.ico", IconBytes(7, 7, 0x0000FF));
    skin.Write(L"PLAYH.ico", IconBytes(7, 7, 0xFF0000)); // no dark version
    skin.Write(L"BACKL.ico", IconBytes(7, 7, 0xAA5500));
    skin.Write(L"dark\\BACKL.ico", "not an icon");             // broken: the skin's own
    skin.Write(L"dark\\STOPL.ico", std::string(4000, '\xA5')); // broken, none in the skin
    TaskbarThemeValue theme;
    theme.Dark();
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), skin.path);
    EXPECT_EQ(MiddleColour(strip, PlayL), 0x0000FFu) << "the dark folder's";
    EXPECT_EQ(MiddleColour(strip, PlayH), 0xFF0000u) << "none in the dark folder: the skin's";
    EXPECT_EQ(MiddleColour(strip, BackL), 0xAA5500u) << "broken in the dark folder: the skin's";
    EXPECT_EQ(MiddleColour(strip, StopL), 0xE2E8F6u) << "the built-in dark set";
    EXPECT_EQ(MiddleColour(strip, NextL), 0xE2E8F6u) << "in neither folder: the built-in dark set";

    theme.Light();
    EXPECT_TRUE(strip.UpdateImageSet());
    EXPECT_EQ(MiddleColour(strip, PlayL), 0x00C000u) << "light taskbars ignore the dark folder";
    EXPECT_EQ(MiddleColour(strip, StopL), 0x202840u) << "light: the built-in set";
}

} // namespace
