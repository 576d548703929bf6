// The strip on each operating-system profile, for real: this executable runs its profile
// cases again in child processes that Wine reports as Windows XP x64, Vista, 7, 8 and 10 (the
// executable carries the player's manifest, so Wine's Windows 10 says 10.0 as Windows 10
// and 11 do to the player). Also the icons' identity GUIDs and the hash they are built from.
#include "tests/support/iat_hook.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"
#include "tray/icon_identity.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

using namespace StripImage;

std::wstring ThisExecutable() {
    wchar_t path[1025] = {};
    GetModuleFileNameW(nullptr, path, 1025);
    return path;
}

bool IsZero(const GUID& guid) {
    static const GUID zero = {};
    return IsEqualGUID(guid, zero);
}

struct Profile {
    int buttonXOffset, iconGap, rowGap, trayXOffset, trayYOffset;
    bool addReversed, isWin7;
    uint32_t normalButtonColour; // the built-in set's colour of normal buttons
};

// Checks one profile in the process that reports its version.
void CheckProfile(const Profile& want) {
    ShellTray shell;
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    const NotifyIcons::TrayProfile profile = strip.Profile();
    EXPECT_EQ(profile.buttonXOffset, want.buttonXOffset);
    EXPECT_EQ(profile.iconGap, want.iconGap);
    EXPECT_EQ(profile.rowGap, want.rowGap);
    EXPECT_EQ(profile.trayXOffset, want.trayXOffset);
    EXPECT_EQ(profile.trayYOffset, want.trayYOffset);
    EXPECT_EQ(profile.addReversed, want.addReversed);
    EXPECT_EQ(profile.isWin7, want.isWin7);

    // The built-in set of the profile, seen in the composed icon: play at (1,8) of icon 1.
    Pixels icon = ReadIconPixels(strip.IconRecord(1).hIcon);
    EXPECT_EQ(icon.Rgb(2, 8), want.normalButtonColour);

    std::vector<ShellCall> adds = shell.CallsOf(NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    EXPECT_EQ(adds[0].id, want.addReversed ? 6863u : 6862u);
    EXPECT_EQ(adds[1].id, want.addReversed ? 6862u : 6863u);
    for (const ShellCall& add : adds) EXPECT_EQ(add.size, DWORD(NOTIFYICONDATAW_V3_SIZE)) << "icon " << add.id;

    shell.Clear();
    strip.ShowBalloon(L"Title of a song", L"Now playing", 4);
    std::vector<ShellCall> modifies = shell.CallsOf(NIM_MODIFY);
    ASSERT_FALSE(modifies.empty());
    EXPECT_EQ(strip.IconRecord(0).uTimeout, want.isWin7 ? 4u : 10u);
}

TEST(TrayIdentityHash, MatchesValuesWorkedOutIndependently) {
    // Computed outside this code base, from the description of the table and the feed.
    EXPECT_EQ(IconIdentity::Hash(L"", 0), 0x0CD5E44Au);
    EXPECT_EQ(IconIdentity::Hash(L"a", 1), 0xE6AA7540u);
    EXPECT_EQ(IconIdentity::Hash(L"\u00E9\u20AC", 2), 0xBE9130A0u) << "both bytes of each unit";
    GUID guid = IconIdentity::ForPath(L"C:\\Program Files\\foobar2000\\foobar2000.exe", 0x800E);
    EXPECT_EQ(guid.Data1, 0xCAFFBC40u);
    EXPECT_EQ(guid.Data2, 0x800E);
    EXPECT_EQ(guid.Data3, 0x4515);
    const unsigned char data4[8] = {0xA5, 0x56, 0x99, 0x3D, 0x5C, 0xE9, 0x9D, 0xB2};
    EXPECT_EQ(std::memcmp(guid.Data4, data4, 8), 0);
}

TEST(TrayIdentityHash, OnlyAsciiLettersAreLowered) {
    EXPECT_EQ(IconIdentity::ForPath(L"C:\\FOO.EXE", 1).Data1, IconIdentity::ForPath(L"c:\\foo.exe", 1).Data1);
    EXPECT_NE(IconIdentity::ForPath(L"C:\\\u00C9.exe", 1).Data1, IconIdentity::ForPath(L"C:\\\u00E9.exe", 1).Data1);
}

TEST(TrayProfiles, EachWindowsVersionGetsItsProfile) {
    struct Run {
        const wchar_t* version;
        const char* filter;
    };
    for (const Run& run :
         {Run{L"winxp64", "XpProfile.*"}, Run{L"vista", "VistaProfile.*"}, Run{L"win7", "Win7Profile.*"},
          Run{L"win8", "Win8Profile.*"}, Run{L"win10", "Win10Profile.*"}}) {
        ChildResult child = RunTestsAsWindowsVersion(run.version, run.filter, 1);
        EXPECT_TRUE(child.finished) << run.filter;
        EXPECT_EQ(child.exitCode, 0u) << run.filter << " failed in its child process (report above)";
    }
}

TEST(XpProfile, LaysOutForWindowsXpWithoutIdentityGuids) {
    REQUIRE_WINDOWS_VERSION(5, 2);
    CheckProfile({2, 2, 2, 0, 0, true, false, 0x000080});
    EXPECT_TRUE(IsZero(IconIdentity::OfIcon(0)));
    EXPECT_TRUE(IsZero(IconIdentity::OfIcon(1)));
}

TEST(VistaProfile, LaysOutForWindowsVistaWithoutIdentityGuids) {
    REQUIRE_WINDOWS_VERSION(6, 0);
    CheckProfile({1, 1, 1, 1, 0, true, false, 0x000080});
    EXPECT_TRUE(IsZero(IconIdentity::OfIcon(0)));
    EXPECT_TRUE(IsZero(IconIdentity::OfIcon(1)));
}

// Windows 7 and every later version share the profile.
void CheckWindows7Profile() {
    CheckProfile({2, int(16.0 / GetSystemMetrics(SM_CXSMICON) * 8.0), 14, 2, 0, false, true, 0x202840});
    const GUID& first = IconIdentity::OfIcon(0);
    const GUID& second = IconIdentity::OfIcon(1);
    EXPECT_TRUE(IsEqualGUID(first, IconIdentity::ForPath(ThisExecutable(), 0x800E)));
    EXPECT_TRUE(IsEqualGUID(second, IconIdentity::ForPath(ThisExecutable(), 0x800F)));
    GUID differingOnlyInData2 = first;
    differingOnlyInData2.Data2 = 0x800F;
    EXPECT_TRUE(IsEqualGUID(differingOnlyInData2, second));
}

TEST(Win7Profile, LaysOutForWindows7WithAlphaImagesAndIdentityGuids) {
    REQUIRE_WINDOWS_VERSION(6, 1);
    CheckWindows7Profile();
}

TEST(Win8Profile, Windows8GetsTheWindows7Profile) {
    REQUIRE_WINDOWS_VERSION(6, 2);
    CheckWindows7Profile();
}

TEST(Win10Profile, Windows10And11GetTheWindows7Profile) {
    REQUIRE_WINDOWS_VERSION(10, 0);
    CheckWindows7Profile();
}

// A host with a Windows 10 manifest is told 10.0 (Windows 11 says 10.0 as well): that is the
// Windows 7 profile, not the one for Windows Vista.
OSVERSIONINFOW g_toldVersion;
BOOL WINAPI TellVersion(OSVERSIONINFOW* version) {
    DWORD size = version->dwOSVersionInfoSize;
    *version = g_toldVersion;
    version->dwOSVersionInfoSize = size;
    return TRUE;
}

TEST(TrayProfiles, HostsToldTenOrLaterGetTheWindows7Profile) {
    for (DWORD major : {10ul, 11ul}) {
        g_toldVersion = {};
        g_toldVersion.dwMajorVersion = major;
        g_toldVersion.dwBuildNumber = 22631;
        IatHook hook(GetModuleHandleW(nullptr), "kernel32.dll", "GetVersionExW", reinterpret_cast<void*>(&TellVersion));
        ASSERT_TRUE(hook.Installed()) << major;
        TestStrip strip;
        const NotifyIcons::TrayProfile profile = strip.Profile();
        EXPECT_TRUE(profile.isWin7) << major;
        EXPECT_FALSE(profile.addReversed) << major;
        EXPECT_EQ(profile.buttonXOffset, 2) << major;
        EXPECT_EQ(profile.rowGap, 14) << major;
    }
}

} // namespace
