// The taskbar's theme: which registry values count as dark (on Windows 10 only), which
// setting-change notices announce a switch, and that following one redraws both icons once.
// Dark taskbars need Windows 10: those tests run in a child process that Wine reports as
// "win10" (GetVersionExW says 10.0 to this executable, which carries the player's Windows 10 manifest).
#include "tests/support/gdi_tracker.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/taskbar_theme_value.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"
#include "tray/taskbar_theme.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <string>

namespace {

constexpr uint32_t kLightSolid = 0x202840; // normal images of the light set
constexpr uint32_t kDarkSolid = 0xE2E8F6;  // normal images of the dark set

#define REQUIRE_WINDOWS_10() REQUIRE_WINDOWS_VERSION(10, 0)

// The colour of previous's bar (column 0 of the button row) in icon 0.
uint32_t BackColour(const TestStrip& strip) { return ReadIconPixels(strip.IconRecord(0).hIcon).Rgb(0, 11); }

TEST(TaskbarThemeOnWindows10, RunsInItsChild) {
    ChildResult child = RunTestsAsWindowsVersion(L"win10", "TaskbarThemeWindows10.*");
    EXPECT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "failed in the Windows 10 child (report above)";
}

TEST(TaskbarThemeWindows10, OnlyADwordOfZeroMeansDarkAndAnythingOddMeansLight) {
    REQUIRE_WINDOWS_10();
    TaskbarThemeValue value;
    value.Remove();
    EXPECT_FALSE(TaskbarTheme::IsDark()) << "no value";
    value.Dark();
    EXPECT_TRUE(TaskbarTheme::IsDark()) << "a dword of zero";
    for (DWORD light : {1ul, 2ul, 0x80000000ul, 0xFFFFFFFFul}) {
        value.SetDword(light);
        EXPECT_FALSE(TaskbarTheme::IsDark()) << light;
    }
    const BYTE zeros[8] = {};
    const wchar_t text[] = L"0";
    struct Odd {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    };
    for (const Odd& odd :
         {Odd{"text \"0\"", REG_SZ, text, sizeof(text)}, Odd{"binary zeros", REG_BINARY, zeros, 4},
          Odd{"64-bit zero", REG_QWORD, zeros, 8}, Odd{"big-endian zero", REG_DWORD_BIG_ENDIAN, zeros, 4},
          Odd{"two-byte dword", REG_DWORD, zeros, 2}, Odd{"empty dword", REG_DWORD, zeros, 0},
          Odd{"eight-byte dword", REG_DWORD, zeros, 8}}) {
        value.SetRaw(odd.type, odd.data, odd.size);
        EXPECT_FALSE(TaskbarTheme::IsDark()) << odd.what;
    }
}

TEST(TaskbarThemeBeforeWindows10, ADarkValueIsIgnored) {
    if (ReportedVersionIs(10, 0)) GTEST_SKIP() << "runs as Windows 7 only";
    TaskbarThemeValue value;
    value.Dark();
    EXPECT_FALSE(TaskbarTheme::IsDark());
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    EXPECT_EQ(BackColour(strip), kLightSolid);
}

TEST(TaskbarThemeNotice, OnlyTheColourSetNoticeAnnouncesASwitch) {
    auto notice = [](const wchar_t* text) { return TaskbarTheme::IsChangeNotice(reinterpret_cast<LPARAM>(text)); };
    EXPECT_TRUE(notice(L"ImmersiveColorSet"));
    EXPECT_TRUE(notice(L"immersivecolorset"));
    EXPECT_FALSE(notice(L"ImmersiveColorSetX"));
    EXPECT_FALSE(notice(L"Immersive"));
    EXPECT_FALSE(notice(L""));
    EXPECT_FALSE(notice(L"Environment"));
    EXPECT_FALSE(TaskbarTheme::IsChangeNotice(0));
    // A text far longer than any notice is not read to its end.
    std::wstring longText(100000, L'I');
    EXPECT_FALSE(notice(longText.c_str()));
}

TEST(TaskbarThemeWindows10, ASwitchRedrawsBothIconsOnceAndNoSwitchRedrawsNothing) {
    REQUIRE_WINDOWS_10();
    TaskbarThemeValue value;
    value.Light();
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    strip.SetPlayMode(Paused);
    NotifyIcons::TipRewrittenAt(_time64(nullptr));
    EXPECT_EQ(BackColour(strip), kLightSolid) << "at start";

    shell.Clear();
    EXPECT_FALSE(strip.UpdateImageSet()) << "still light";
    EXPECT_TRUE(ShellGot(shell, "nothing while the theme stays light", {}));

    value.Dark();
    shell.Clear();
    EXPECT_TRUE(strip.UpdateImageSet()) << "light to dark";
    EXPECT_TRUE(ShellGot(shell, "each icon redrawn once for the dark theme", BothModified(strip.Profile().addReversed)));
    EXPECT_EQ(BackColour(strip), kDarkSolid) << "light to dark";
    EXPECT_EQ(strip.CurrentPlayMode(), Paused) << "the state is kept";

    shell.Clear();
    EXPECT_FALSE(strip.UpdateImageSet()) << "still dark";
    EXPECT_TRUE(ShellGot(shell, "nothing while the theme stays dark", {}));

    value.SetDword(0xFFFFFFFF);
    EXPECT_TRUE(strip.UpdateImageSet()) << "dark to light";
    EXPECT_EQ(BackColour(strip), kLightSolid) << "dark to light";
}

TEST(TaskbarThemeWindows10, ASwitchBeforeTheIconsAreSetUpWaitsForThem) {
    REQUIRE_WINDOWS_10();
    TaskbarThemeValue value;
    value.Dark();
    ShellTray shell;
    TestStrip strip;
    EXPECT_FALSE(strip.UpdateImageSet());
    EXPECT_TRUE(ShellGot(shell, "no icon added before InitIcons", {}));
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    EXPECT_EQ(BackColour(strip), kDarkSolid);
}

TEST(TaskbarThemeWindows10, SwitchingBackAndForthLeavesNothingBehind) {
    REQUIRE_WINDOWS_10();
    TaskbarThemeValue value;
    value.Light();
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    GdiTracker gdi;
    ASSERT_TRUE(gdi.Installed());
    value.Dark();
    ASSERT_TRUE(strip.UpdateImageSet()) << "first switch";
    size_t before = gdi.Live(); // one image set and two icons
    for (int i = 1; i < 101; ++i) {
        if (i % 2) value.Light();
        else value.Dark();
        ASSERT_TRUE(strip.UpdateImageSet()) << i;
    }
    EXPECT_GT(gdi.Created(), 100u * 36u) << "every switch loaded 18 images";
    EXPECT_EQ(gdi.Live(), before);
}

} // namespace
