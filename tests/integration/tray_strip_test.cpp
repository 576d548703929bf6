// The real foo_Trelvane.dll in the stand-in player: its tray strip appears at start-up, follows
// playback, comes back after the shell lost it and goes at quit, as the shell sees it through
// the component's own Shell_NotifyIconW import. Also on each Windows profile.
#include "host/component_loader.h"
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/windows_version.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

using fb2k_host::Host;
using fb2k_host::LoadedComponent;

HWND MessageWindow() { return FindWindowW(L"#32770", L"TrelvaneMessageWindow"); }

bool SliderRowEmpty(HICON icon) {
    Pixels pixels = ReadIconPixels(icon);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 16; ++x)
            if (pixels.Opaque(x, y)) return false;
    return pixels.Valid();
}

class TrayStrip : public testing::Test {
protected:
    TrayStrip() : component(host) { host.Popups().SetShowMessageBoxes(false); }
    void SetUp() override {
        host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 100, {{"artist", "A"}, {"title", "Song & Dance"}}},
                                     {"C:\\Music\\b.flac", 100, {{"title", "B"}}}});
        ASSERT_TRUE(component.Load(L"foo_Trelvane.dll")) << component.Error();
        shell.reset(new ShellTray(component.Module()));
        ASSERT_TRUE(shell->Installed());
        component.ServicesInit(true);
        component.Init();
    }
    void TearDown() override {
        component.Quit();
        shell.reset(); // its hook lives in the component's import table
        component.Unload();
    }
    // The strip's own calls (the host's icon, id 0, is someone else's).
    std::vector<ShellCall> StripCalls(DWORD message) const {
        std::vector<ShellCall> calls;
        for (const ShellCall& call : shell->CallsOf(message))
            if (call.id == 6862 || call.id == 6863) calls.push_back(call);
        return calls;
    }

    Host host;
    LoadedComponent component;
    std::unique_ptr<ShellTray> shell;
};

TEST_F(TrayStrip, StartUpAddsTwoStoppedIconsOwnedByTheMessageWindow) {
    std::vector<ShellCall> adds = StripCalls(NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    for (const ShellCall& add : adds) {
        EXPECT_EQ(add.window, MessageWindow()) << "icon " << add.id;
        EXPECT_EQ(add.callbackMessage, 1110u) << "icon " << add.id;
        EXPECT_EQ(add.size, DWORD(NOTIFYICONDATAW_V3_SIZE)) << "icon " << add.id;
        EXPECT_TRUE(SliderRowEmpty(add.icon)) << "icon " << add.id << " stopped: no slider";
    }
    EXPECT_EQ(StripCalls(NIM_SETVERSION).size(), 2u);
}

TEST_F(TrayStrip, PlaybackRedrawsTheStripAndTheShellGetsItBackAfterLosingIt) {
    shell->Clear();
    host.Playback().Play();
    fb2k_host::PumpMessagesFor(300);
    std::vector<ShellCall> modifies = StripCalls(NIM_MODIFY);
    ASSERT_GE(modifies.size(), 2u);
    bool sliderShown = false;
    for (const ShellCall& call : modifies) sliderShown = sliderShown || (call.icon && !SliderRowEmpty(call.icon));
    EXPECT_TRUE(sliderShown);

    shell->LoseIcons();
    shell->Clear();
    host.Playback().Pause(true);
    fb2k_host::PumpMessagesFor(100);
    EXPECT_EQ(StripCalls(NIM_ADD).size(), 2u);
    EXPECT_TRUE(shell->Holds(6862) && shell->Holds(6863));
}

TEST_F(TrayStrip, AfterQuitNothingBringsTheIconsBack) {
    host.Playback().Play();
    fb2k_host::PumpMessagesFor(100);
    component.Quit();
    shell->Clear();
    // Events that reach the component after the player's quit: each would redraw, find the
    // icons gone, and add them again.
    host.Playback().Pause(true);
    host.Playback().Stop();
    SendMessageW(MessageWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    fb2k_host::PumpMessagesFor(300);
    EXPECT_FALSE(StripCalls(NIM_MODIFY).empty()) << "the events did arrive";
    EXPECT_TRUE(StripCalls(NIM_ADD).empty());
    EXPECT_FALSE(shell->Holds(6862) || shell->Holds(6863));
}

TEST_F(TrayStrip, QuitRemovesBothIcons) {
    shell->Clear();
    component.Quit();
    std::vector<ShellCall> deletes = StripCalls(NIM_DELETE);
    ASSERT_EQ(deletes.size(), 2u);
    EXPECT_EQ(deletes[0].id, 6862u);
    EXPECT_EQ(deletes[1].id, 6863u);
}

TEST(TrayStripProfiles, EachWindowsVersionAddsInItsOrderWithItsIdentity) {
    for (const wchar_t* version : {L"winxp64", L"win7"}) {
        // One test is meant for each version; the other skips.
        ChildResult child = RunTestsAsWindowsVersion(version, "TrayStripAsXp.*:TrayStripAsWin7.*", 1);
        EXPECT_TRUE(child.finished) << version;
        EXPECT_EQ(child.exitCode, 0u) << version << " profile child failed (report above)";
    }
}

class TrayStripAsXp : public TrayStrip {};
class TrayStripAsWin7 : public TrayStrip {};

TEST_F(TrayStripAsXp, AddsIconOneFirstWithoutIdentity) {
    REQUIRE_WINDOWS_VERSION(5, 2);
    std::vector<ShellCall> adds = StripCalls(NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    EXPECT_EQ(adds[0].id, 6863u);
    static const GUID zero = {};
    EXPECT_TRUE(IsEqualGUID(adds[0].guid, zero) && IsEqualGUID(adds[1].guid, zero));
    EXPECT_TRUE(host.Popups().Shown().empty()) << "no Windows 7 notice";
}

// The identity hash worked out by hand from its description: the table holds multiples of
// 0x00600340 chosen by the top four index bits; each UTF-16 unit feeds its low byte first.
uint32_t IdentityHashModel(const std::wstring& text) {
    uint32_t hash = 0x0CD5E44A;
    auto feed = [&hash](uint32_t byte) {
        uint32_t top = hash >> 24, entry = 0;
        for (int bit = 0; bit < 4; ++bit)
            if (top & (0x10u << bit)) entry ^= 0x00600340u << bit;
        hash = entry ^ (hash << 8) ^ byte;
    };
    for (wchar_t unit : text) {
        feed(static_cast<uint32_t>(unit) & 0xFF);
        feed(static_cast<uint32_t>(unit) >> 8);
    }
    return hash;
}

TEST_F(TrayStripAsWin7, AddsIconZeroFirstWithTheIdentityOfThePlayersExecutable) {
    REQUIRE_WINDOWS_VERSION(6, 1);
    std::vector<ShellCall> adds = StripCalls(NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    EXPECT_EQ(adds[0].id, 6862u);
    wchar_t path[1025] = {};
    GetModuleFileNameW(nullptr, path, 1025);
    std::wstring lowered(path);
    for (wchar_t& c : lowered)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    const unsigned char data4[8] = {0xA5, 0x56, 0x99, 0x3D, 0x5C, 0xE9, 0x9D, 0xB2};
    const unsigned short data2[2] = {0x800E, 0x800F};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(adds[i].guid.Data1, IdentityHashModel(lowered)) << "icon " << i;
        EXPECT_EQ(adds[i].guid.Data2, data2[i]) << "icon " << i;
        EXPECT_EQ(adds[i].guid.Data3, 0x4515) << "icon " << i;
        EXPECT_EQ(std::memcmp(adds[i].guid.Data4, data4, 8), 0) << "icon " << i;
    }
}

} // namespace
