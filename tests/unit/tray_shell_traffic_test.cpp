// What the strip says to the shell, observed at its Shell_NotifyIconW import: adding in the
// profile's order, modifying only on change, re-adding when the shell lost the icons, and the
// records of balloons and tooltips.
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/test_strip.h"
#include "tests/support/windows_version.h"
#include "tray/icon_identity.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>

namespace {

const DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;

// The record flags of an icon with its picture, callback and GUID; with the tooltip; of icon 0
// while it shows or hides a balloon.
constexpr LPARAM kIcon = 0x23, kIconWithTip = 0x27, kBalloon = 0x30;

class TrayShellTraffic : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.Installed());
        strip.EnableToolTip(false); // tooltips are process-wide; start each test without
        strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
        first = strip.Profile().addReversed ? 6863 : 6862;
        second = strip.Profile().addReversed ? 6862 : 6863;
    }
    // Both icons added in the profile's order, then the version set on icon 0 and icon 1.
    std::vector<SequenceEntry> AddBoth() const {
        return {{NIM_ADD, kWParam | kLParam, first, kIcon},
                {NIM_ADD, kWParam | kLParam, second, kIcon},
                {NIM_SETVERSION, kWParam, 6862, 0},
                {NIM_SETVERSION, kWParam, 6863, 0}};
    }
    // Both icons modified in the add order, each with its record's flags.
    std::vector<SequenceEntry> ModifyBoth(LPARAM flags0, LPARAM flags1) const {
        return {{NIM_MODIFY, kWParam | kLParam, first, first == 6862 ? flags0 : flags1},
                {NIM_MODIFY, kWParam | kLParam, second, second == 6862 ? flags0 : flags1}};
    }
    testing::AssertionResult Sent(const char* what, const std::vector<SequenceEntry>& expected) const {
        return ShellGot(shell, what, expected);
    }

    // Settles the tooltip nudge so that unchanged refreshes are quiet for the next 30 s.
    void SettleNudge() {
        NotifyIcons::TipRewrittenAt(_time64(nullptr));
        shell.Clear();
    }

    HWND window = reinterpret_cast<HWND>(0x1234);
    ShellTray shell;
    TestStrip strip;
    UINT first = 0, second = 0;
};

TEST_F(TrayShellTraffic, TheFirstRefreshAddsBothIconsInTheProfilesOrderWithVersionThree) {
    std::vector<SequenceEntry> expected = {{NIM_MODIFY, kWParam, first, 0}};
    for (const SequenceEntry& entry : AddBoth()) expected.push_back(entry);
    ASSERT_TRUE(
        Sent("the first refresh modifies the first icon of the add order; that fails, so both are added", expected));
    EXPECT_FALSE(shell.Calls()[0].result) << "the modify fails: the shell does not hold the icons yet";
    for (const ShellCall& call : shell.CallsOf(NIM_SETVERSION))
        EXPECT_EQ(call.timeoutOrVersion, UINT(NOTIFYICON_VERSION)) << call.id;
    for (const ShellCall& add : shell.CallsOf(NIM_ADD)) {
        int icon = add.id == 6862 ? 0 : 1;
        EXPECT_EQ(add.flags, 0x23u) << add.id;
        EXPECT_EQ(add.size, kRecordSize) << add.id;
        EXPECT_EQ(add.window, window) << add.id;
        EXPECT_EQ(add.callbackMessage, 1110u) << add.id;
        EXPECT_NE(add.icon, nullptr) << add.id;
        EXPECT_TRUE(IsEqualGUID(add.guid, IconIdentity::OfIcon(icon))) << add.id;
    }
}

TEST_F(TrayShellTraffic, AnUnchangedRefreshSendsNothingAndAChangedOneModifiesBoth) {
    SettleNudge();
    strip.Refresh();
    strip.Refresh();
    EXPECT_TRUE(shell.Calls().empty()) << "two unchanged refreshes";
    strip.SetPlayMode(Playing);
    EXPECT_TRUE(Sent("a new play mode redraws and modifies both icons, nothing else", ModifyBoth(kIcon, kIcon)));
    for (const ShellCall& call : shell.Calls()) EXPECT_TRUE(call.result) << "the shell holds icon " << call.id;
}

TEST_F(TrayShellTraffic, TheTooltipIsRewrittenByAnUnchangedRefreshAtMostEvery30Seconds) {
    strip.SetTipText(L"Artist - Title");
    SettleNudge();
    NotifyIcons::TipRewrittenAt(_time64(nullptr) - 31);
    strip.Refresh();
    std::vector<ShellCall> modifies = shell.CallsOf(NIM_MODIFY);
    ASSERT_EQ(modifies.size(), 4u);
    EXPECT_EQ(modifies[0].tip, L"Artist - Title ") << "the rewrite first sends the tip with a space";
    EXPECT_EQ(modifies[3].tip, L"Artist - Title") << "and ends with the tip itself";
    shell.Clear();
    strip.Refresh();
    EXPECT_TRUE(shell.Calls().empty()) << "a second refresh within 30 s";
}

TEST_F(TrayShellTraffic, WhenTheShellLostTheIconsTheNextChangeAddsThemBackInOrder) {
    shell.LoseIcons();
    shell.Clear();
    strip.SetPlayMode(Playing);
    std::vector<SequenceEntry> expected = {{NIM_MODIFY, kWParam, first, 0}};
    for (const SequenceEntry& entry : AddBoth()) expected.push_back(entry);
    EXPECT_TRUE(Sent("the first modify fails, so the second is not tried and both icons are added again", expected));
    EXPECT_TRUE(shell.Holds(6862) && shell.Holds(6863));
}

TEST_F(TrayShellTraffic, ABalloonLostWithTheIconsBringsBackCompleteIcons) {
    shell.LoseIcons();
    shell.Clear();
    strip.ShowBalloon(L"Song", L"Now playing", 5);
    std::vector<ShellCall> adds = shell.CallsOf(NIM_ADD);
    ASSERT_GE(adds.size(), 2u);
    for (const ShellCall& add : adds) {
        EXPECT_EQ(add.flags & 0x23u, 0x23u) << "icon " << add.id << ": icon, callback and GUID";
        EXPECT_FALSE(add.flags & NIF_TIP) << "icon " << add.id << ": no tooltip while tooltips are off";
    }
    EXPECT_EQ(strip.IconRecord(0).uFlags, 0x23u) << "the record keeps its own flags";
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
        EXPECT_EQ(add.tip, L"Artist - Title") << "icon " << add.id;
    }
    EXPECT_EQ(strip.IconRecord(0).uFlags, 0x27u);
    strip.EnableToolTip(false);
}

TEST_F(TrayShellTraffic, WithdrawnIconsStayAwayUntilTheStripIsSetUpAgain) {
    strip.WithdrawIcons();
    EXPECT_FALSE(shell.Holds(6862) || shell.Holds(6863)) << "withdrawn";
    shell.Clear();
    strip.SetPlayMode(Playing);
    strip.ShowBalloon(L"Song", L"Now playing", 5);
    strip.AddIconsToTray();
    EXPECT_FALSE(shell.CallsOf(NIM_MODIFY).empty());
    EXPECT_TRUE(shell.CallsOf(NIM_ADD).empty());
    strip.InitIcons(window, GetModuleHandleW(nullptr), L"");
    EXPECT_TRUE(shell.Holds(6862) && shell.Holds(6863)) << "set up again";
}

TEST_F(TrayShellTraffic, ABalloonReplacesTheLastOneAndIsCutToItsFields) {
    SettleNudge();
    std::wstring text(300, L'x'), title(70, L't');
    strip.ShowBalloon(text.c_str(), title.c_str(), 7);
    std::vector<SequenceEntry> expected = ModifyBoth(kBalloon, kIcon);                        // the last balloon hidden
    for (const SequenceEntry& entry : ModifyBoth(kBalloon, kIcon)) expected.push_back(entry); // the new one shown
    ASSERT_TRUE(Sent("a balloon first hides the last one, then shows itself; each modifies both icons", expected));
    std::vector<ShellCall> calls = shell.CallsOf(NIM_MODIFY);
    const ShellCall& hide = calls[strip.Profile().addReversed ? 1 : 0];
    EXPECT_EQ(hide.info, L"");
    const ShellCall& show = calls[strip.Profile().addReversed ? 3 : 2];
    EXPECT_EQ(show.size, kRecordSize);
    EXPECT_EQ(show.info, text.substr(0, 255));
    EXPECT_EQ(show.infoTitle, title.substr(0, 63));
    EXPECT_EQ(show.infoFlags, 0x11u);
    EXPECT_EQ(show.timeoutOrVersion, strip.Windows7Profile() ? 7u : 10u);
    EXPECT_EQ(strip.IconRecord(0).uFlags, 0x23u);

    shell.Clear();
    strip.HideBalloon();
    EXPECT_EQ(shell.CallsOf(NIM_MODIFY).size(), 2u) << "hiding does not hide first";
    strip.ShowBalloon(nullptr, nullptr, 0);
    EXPECT_EQ(strip.IconRecord(0).szInfo[0], L'\0');
}

TEST_F(TrayShellTraffic, TextsAreCutWithoutSplittingACharacter) {
    std::wstring text(254, L'x');
    text += L"\U0001F3B5"; // a surrogate pair at units 254 and 255
    strip.ShowBalloon(text.c_str(), L"", 0);
    EXPECT_EQ(std::wstring(strip.IconRecord(0).szInfo), text.substr(0, 254));
}

TEST_F(TrayShellTraffic, TooltipsSwitchOnlyWhenTheyChange) {
    SettleNudge();
    strip.EnableToolTip(true);
    strip.EnableToolTip(true);
    EXPECT_TRUE(Sent("switching tooltips on modifies both icons with NIF_TIP once; the second switch sends nothing",
                     ModifyBoth(kIconWithTip, kIconWithTip)));
    strip.EnableToolTip(false);
    EXPECT_EQ(strip.IconRecord(1).uFlags, 0x23u);
}

TEST_F(TrayShellTraffic, TipTextsEscapeAmpersandsOnceAndSwitchTooltipsByLength) {
    strip.SetTipText(L"Simon & Garfunkel");
    EXPECT_STREQ(strip.IconRecord(0).szTip, L"Simon &&& Garfunkel");
    EXPECT_STREQ(strip.IconRecord(1).szTip, L"Simon &&& Garfunkel");
    EXPECT_TRUE(NotifyIcons::ToolTipEnabled()) << "Simon & Garfunkel";
    strip.SetTipText(strip.IconRecord(0).szTip);
    EXPECT_STREQ(strip.IconRecord(0).szTip, L"Simon &&& Garfunkel") << "not escaped twice";
    strip.SetTipText(L"A &&& B & C");
    EXPECT_STREQ(strip.IconRecord(0).szTip, L"A &&& B & C") << "a text holding an escaped ampersand";

    SettleNudge();
    strip.SetTipText(L"abcd");
    EXPECT_STREQ(strip.IconRecord(0).szTip, L"abcd");
    EXPECT_FALSE(NotifyIcons::ToolTipEnabled()) << "abcd";
    ASSERT_FALSE(shell.Calls().empty());
    EXPECT_EQ(shell.Calls().back().flags, 0x23u) << "abcd";
    EXPECT_EQ(shell.Calls().back().tip, L"abcd");
    strip.SetTipText(L"abcde");
    EXPECT_TRUE(NotifyIcons::ToolTipEnabled()) << "abcde";
    EXPECT_EQ(shell.Calls().back().flags, 0x27u) << "abcde";
}

TEST_F(TrayShellTraffic, HugeTipTextsAreCutTo127Characters) {
    std::wstring huge(1 << 20, L'&');
    strip.SetTipText(huge);
    EXPECT_EQ(std::wstring(strip.IconRecord(0).szTip), std::wstring(127, L'&'));
    EXPECT_EQ(std::wstring(strip.IconRecord(1).szTip), std::wstring(127, L'&'));
}

TEST_F(TrayShellTraffic, RemovingDeletesIcon0ThenIcon1) {
    shell.Clear();
    strip.UnInitIcons();
    EXPECT_TRUE(Sent("removing deletes icon 0, then icon 1, whatever the add order",
                     {{NIM_DELETE, kWParam, 6862, 0}, {NIM_DELETE, kWParam, 6863, 0}}));
    shell.Clear();
    strip.AddIconsToTray();
    EXPECT_TRUE(Sent("adding again adds both in the profile's order and sets their version", AddBoth()));
}

TEST(TrayRealShell, WinesTrayTakesTheIcons) {
    ShellTray shell(GetModuleHandleW(nullptr), ShellTray::Mode::RealShell);
    UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"tray owner", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    HWND window = owner.get();
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
}

} // namespace

namespace {
TEST(TrayShellTrafficProfiles, EarlierSystemsTalkToTheShellTheSameWayInTheirOrder) {
    ChildResult child = RunTestsAsWindowsVersion(L"winxp64", "TrayShellTraffic.*", TestsInSuite("TrayShellTraffic"));
    EXPECT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "traffic failed in a child (report above)";
}
} // namespace
