// What the strip says to the shell, observed at its Shell_NotifyIconW import: adding in the
// profile's order, modifying only on change, re-adding when the shell lost the icons, and the
// records of balloons and tooltips.
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"
#include "tray/icon_identity.h"

#include <gtest/gtest.h>

namespace {

const DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;

std::vector<UINT> Ids(const std::vector<ShellCall>& calls) {
    std::vector<UINT> ids;
    for (const ShellCall& call : calls) ids.push_back(call.id);
    return ids;
}

class TrayShellTraffic : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.Installed());
        strip.EnableToolTip(false);  // tooltips are process-wide; start each test without
        strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
        first = strip.addReversed ? 6863 : 6862;
        second = strip.addReversed ? 6862 : 6863;
    }
    // Settles the tooltip nudge so that unchanged refreshes are quiet for the next 30 s.
    void SettleNudge() {
        strip.lastTipNudge = _time64(nullptr);
        shell.Clear();
    }

    HWND window = reinterpret_cast<HWND>(0x1234);
    ShellTray shell;
    TestStrip strip;
    UINT first = 0, second = 0;
};

TEST_F(TrayShellTraffic, TheFirstRefreshAddsBothIconsInTheProfilesOrderWithVersionThree) {
    const std::vector<ShellCall>& calls = shell.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].message, DWORD(NIM_MODIFY));
    EXPECT_FALSE(calls[0].result) << "the shell does not have them yet";
    EXPECT_EQ(Ids(shell.CallsOf(NIM_ADD)), (std::vector<UINT>{first, second}));
    EXPECT_EQ(Ids(shell.CallsOf(NIM_SETVERSION)), (std::vector<UINT>{6862, 6863}));
    for (const ShellCall& call : shell.CallsOf(NIM_SETVERSION)) EXPECT_EQ(call.timeoutOrVersion, UINT(NOTIFYICON_VERSION));
    for (const ShellCall& add : shell.CallsOf(NIM_ADD)) {
        int icon = add.id == 6862 ? 0 : 1;
        EXPECT_EQ(add.flags, 0x23u);
        EXPECT_EQ(add.size, kRecordSize);
        EXPECT_EQ(add.window, window);
        EXPECT_EQ(add.callbackMessage, 1110u);
        EXPECT_NE(add.icon, nullptr);
        EXPECT_TRUE(IsEqualGUID(add.guid, IconIdentity::OfIcon(icon)));
    }
}

TEST_F(TrayShellTraffic, AnUnchangedRefreshSendsNothingAndAChangedOneModifiesBoth) {
    SettleNudge();
    strip.Refresh();
    strip.Refresh();
    EXPECT_TRUE(shell.Calls().empty());
    strip.SetPlayMode(Playing);
    EXPECT_EQ(Ids(shell.Calls()), (std::vector<UINT>{first, second}));
    for (const ShellCall& call : shell.Calls()) {
        EXPECT_EQ(call.message, DWORD(NIM_MODIFY));
        EXPECT_EQ(call.flags, 0x23u);
        EXPECT_TRUE(call.result);
    }
}

TEST_F(TrayShellTraffic, TheTooltipIsRewrittenByAnUnchangedRefreshAtMostEvery30Seconds) {
    strip.SetTipText(L"Artist - Title");
    SettleNudge();
    strip.lastTipNudge = _time64(nullptr) - 31;
    strip.Refresh();
    std::vector<ShellCall> modifies = shell.CallsOf(NIM_MODIFY);
    ASSERT_EQ(modifies.size(), 4u);
    EXPECT_EQ(modifies[0].tip, L"Artist - Title ");
    EXPECT_EQ(modifies[3].tip, L"Artist - Title");
    shell.Clear();
    strip.Refresh();
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(TrayShellTraffic, WhenTheShellLostTheIconsTheNextChangeAddsThemBackInOrder) {
    shell.LoseIcons();
    shell.Clear();
    strip.SetPlayMode(Playing);
    ASSERT_EQ(shell.CallsOf(NIM_MODIFY).size(), 1u) << "the second modify is not tried";
    EXPECT_EQ(Ids(shell.CallsOf(NIM_ADD)), (std::vector<UINT>{first, second}));
    EXPECT_EQ(shell.CallsOf(NIM_SETVERSION).size(), 2u);
    EXPECT_TRUE(shell.Holds(6862) && shell.Holds(6863));
}

TEST_F(TrayShellTraffic, ABalloonLostWithTheIconsBringsBackCompleteIcons) {
    shell.LoseIcons();
    shell.Clear();
    strip.ShowBalloon(L"Song", L"Now playing", 5);
    std::vector<ShellCall> adds = shell.CallsOf(NIM_ADD);
    ASSERT_GE(adds.size(), 2u);
    for (const ShellCall& add : adds) {
        EXPECT_EQ(add.flags & 0x23u, 0x23u) << "icon, callback and GUID";
        EXPECT_FALSE(add.flags & NIF_TIP) << "no tooltip while tooltips are off";
    }
    EXPECT_EQ(strip.icons[0].uFlags, 0x23u) << "the record keeps its own flags";
}

TEST_F(TrayShellTraffic, IconsBroughtBackByABalloonKeepTheirTooltip) {
    strip.SetTipText(L"Artist - Title");
    shell.LoseIcons();
    shell.Clear();
    strip.ShowBalloon(L"Song", L"Now playing", 5);
    std::vector<ShellCall> adds = shell.CallsOf(NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    for (const ShellCall& add : adds) {
        EXPECT_EQ(add.flags & 0x27u, 0x27u) << "icon " << add.id << " with its tooltip";
        EXPECT_EQ(add.tip, L"Artist - Title");
    }
    EXPECT_EQ(strip.icons[0].uFlags, 0x27u);
    strip.EnableToolTip(false);
}

TEST_F(TrayShellTraffic, WithdrawnIconsStayAwayUntilTheStripIsSetUpAgain) {
    strip.WithdrawIcons();
    EXPECT_FALSE(shell.Holds(6862) || shell.Holds(6863));
    shell.Clear();
    strip.SetPlayMode(Playing);
    strip.ShowBalloon(L"Song", L"Now playing", 5);
    strip.AddIconsToTray();
    EXPECT_FALSE(shell.CallsOf(NIM_MODIFY).empty());
    EXPECT_TRUE(shell.CallsOf(NIM_ADD).empty());
    strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
    EXPECT_TRUE(shell.Holds(6862) && shell.Holds(6863));
}

TEST_F(TrayShellTraffic, ABalloonReplacesTheLastOneAndIsCutToItsFields) {
    SettleNudge();
    std::wstring text(300, L'x'), title(70, L't');
    strip.ShowBalloon(text.c_str(), title.c_str(), 7);
    std::vector<ShellCall> calls = shell.CallsOf(NIM_MODIFY);
    ASSERT_EQ(calls.size(), 4u) << "hide, then show; each modifies both icons";
    const ShellCall& hide = calls[strip.addReversed ? 1 : 0];
    EXPECT_EQ(hide.info, L"");
    EXPECT_EQ(hide.flags, 0x30u);
    const ShellCall& show = calls[strip.addReversed ? 3 : 2];
    EXPECT_EQ(show.id, 6862u);
    EXPECT_EQ(show.flags, 0x30u);
    EXPECT_EQ(show.size, kRecordSize);
    EXPECT_EQ(show.info, text.substr(0, 255));
    EXPECT_EQ(show.infoTitle, title.substr(0, 63));
    EXPECT_EQ(show.infoFlags, 0x11u);
    EXPECT_EQ(show.timeoutOrVersion, strip.isWin7 ? 7u : 10u);
    const ShellCall& other = calls[strip.addReversed ? 2 : 3];
    EXPECT_EQ(other.id, 6863u);
    EXPECT_EQ(other.flags, 0x23u);
    EXPECT_EQ(strip.icons[0].uFlags, 0x23u);

    shell.Clear();
    strip.HideBalloon();
    EXPECT_EQ(shell.CallsOf(NIM_MODIFY).size(), 2u) << "hiding does not hide first";
    strip.ShowBalloon(nullptr, nullptr, 0);
    EXPECT_EQ(strip.icons[0].szInfo[0], L'\0');
}

TEST_F(TrayShellTraffic, TextsAreCutWithoutSplittingACharacter) {
    std::wstring text(254, L'x');
    text += L"\U0001F3B5";  // a surrogate pair at units 254 and 255
    strip.ShowBalloon(text.c_str(), L"", 0);
    EXPECT_EQ(std::wstring(strip.icons[0].szInfo), text.substr(0, 254));
}

TEST_F(TrayShellTraffic, TooltipsSwitchOnlyWhenTheyChange) {
    SettleNudge();
    strip.EnableToolTip(true);
    strip.EnableToolTip(true);
    ASSERT_EQ(shell.CallsOf(NIM_MODIFY).size(), 2u);
    for (const ShellCall& call : shell.Calls()) EXPECT_EQ(call.flags, 0x27u);
    strip.EnableToolTip(false);
    EXPECT_EQ(strip.icons[1].uFlags, 0x23u);
}

TEST_F(TrayShellTraffic, TipTextsEscapeAmpersandsOnceAndSwitchTooltipsByLength) {
    strip.SetTipText(L"Simon & Garfunkel");
    EXPECT_STREQ(strip.icons[0].szTip, L"Simon &&& Garfunkel");
    EXPECT_STREQ(strip.icons[1].szTip, L"Simon &&& Garfunkel");
    EXPECT_TRUE(strip.tooltipEnabled);
    strip.SetTipText(strip.icons[0].szTip);
    EXPECT_STREQ(strip.icons[0].szTip, L"Simon &&& Garfunkel") << "not escaped twice";
    strip.SetTipText(L"A &&& B & C");
    EXPECT_STREQ(strip.icons[0].szTip, L"A &&& B & C");

    SettleNudge();
    strip.SetTipText(L"abcd");
    EXPECT_STREQ(strip.icons[0].szTip, L"abcd");
    EXPECT_FALSE(strip.tooltipEnabled);
    ASSERT_FALSE(shell.Calls().empty());
    EXPECT_EQ(shell.Calls().back().flags, 0x23u);
    EXPECT_EQ(shell.Calls().back().tip, L"abcd");
    strip.SetTipText(L"abcde");
    EXPECT_TRUE(strip.tooltipEnabled);
    EXPECT_EQ(shell.Calls().back().flags, 0x27u);
}

TEST_F(TrayShellTraffic, HugeTipTextsAreCutTo127Characters) {
    std::wstring huge(1 << 20, L'&');
    strip.SetTipText(huge);
    EXPECT_EQ(std::wstring(strip.icons[0].szTip), std::wstring(127, L'&'));
    EXPECT_EQ(std::wstring(strip.icons[1].szTip), std::wstring(127, L'&'));
}

TEST_F(TrayShellTraffic, RemovingDeletesIcon0ThenIcon1) {
    shell.Clear();
    strip.UnInitIcons();
    EXPECT_EQ(Ids(shell.CallsOf(NIM_DELETE)), (std::vector<UINT>{6862, 6863}));
    shell.Clear();
    strip.AddIconsToTray();
    EXPECT_EQ(Ids(shell.CallsOf(NIM_ADD)), (std::vector<UINT>{first, second}));
}

TEST(TrayRealShell, WinesTrayTakesTheIcons) {
    ShellTray shell(GetModuleHandleW(nullptr), ShellTray::Mode::RealShell);
    HWND window = CreateWindowExW(0, L"STATIC", L"tray owner", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    {
        TestStrip strip;
        strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
        std::vector<ShellCall> adds = shell.CallsOf(NIM_ADD);
        ASSERT_EQ(adds.size(), 2u);
        for (const ShellCall& add : adds) EXPECT_TRUE(add.result) << add.id;
        strip.SetPlayMode(Playing);
        EXPECT_TRUE(shell.Calls().back().result);
    }
    std::vector<ShellCall> deletes = shell.CallsOf(NIM_DELETE);
    ASSERT_EQ(deletes.size(), 2u);
    EXPECT_TRUE(deletes[0].result && deletes[1].result);
    DestroyWindow(window);
}

} // namespace

namespace {
TEST(TrayShellTrafficProfiles, EarlierSystemsTalkToTheShellTheSameWayInTheirOrder) {
    ChildResult child = RunTestsAsWindowsVersion(L"winxp64", "TrayShellTraffic.*", TestsInSuite("TrayShellTraffic"));
    EXPECT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "traffic failed in a child (report above)";
}
} // namespace
