// The stand-in player's menu bar with the real component loaded: the component's main-menu
// group appears as a submenu of View with its four commands, and choosing one runs it.
#include "host/component_loader.h"
#include "host/component_menus.h"
#include "host/host_core.h"
#include "host/main_window.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "tests/support/config_value.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const GUID kVolumeSliderSetting = {0x430BE47B, 0xE9B9, 0x4DA2, {0xBF, 0x2A, 0x8B, 0xC0, 0x10, 0xA7, 0x13, 0xD5}};

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

// The popup of the bar, or of a submenu, whose text is `name`; null when there is none.
HMENU PopupNamed(HMENU menu, const std::wstring& name) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i)
        if (ItemText(menu, i) == name) return GetSubMenu(menu, i);
    return nullptr;
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Popups().SetShowMessageBoxes(false);
        host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 200, {{"title", "A"}}}});
        ASSERT_TRUE(component.Load(L"foo_Trelvane.dll")) << component.Error();
        component.ServicesInit(true);
        component.Init();
        bar = GetMenu(host.MainWindow());
        menus.Build(host, bar);
        fb2k_host::AttachComponentMenus(host.MainWindow(), &menus);
    }
    void TearDown() override {
        fb2k_host::AttachComponentMenus(host.MainWindow(), nullptr);
        menus.Clear();
        component.Quit();
        component.Unload();
    }

    fb2k_host::Host host;
    fb2k_host::LoadedComponent component{host};
    fb2k_host::ComponentMenus menus;
    HMENU bar = nullptr;
};

TEST_F(MenuBarTest, TheComponentsSubmenuSitsUnderViewWithItsFourCommands) {
    // The bar keeps the player's own menus and gains View, after them.
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(ItemText(bar, 0), L"&File");
    EXPECT_EQ(ItemText(bar, 1), L"&Playback");
    EXPECT_EQ(ItemText(bar, 2), L"&View");
    HMENU submenu = PopupNamed(GetSubMenu(bar, 2), L"Trelvane");
    ASSERT_NE(submenu, nullptr);
    const std::vector<std::wstring> expected = {L"Show current song info", L"Delete current song", L"Reset Icons",
                                                L"Toggle volume slider"};
    ASSERT_EQ(GetMenuItemCount(submenu), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ItemText(submenu, i), expected[static_cast<size_t>(i)]) << "item " << i;
}

TEST_F(MenuBarTest, ChoosingAnItemRunsTheComponentsCommandAndOtherIdsAreLeftAlone) {
    HMENU submenu = PopupNamed(PopupNamed(bar, L"&View"), L"Trelvane");
    ASSERT_NE(submenu, nullptr);
    // "Toggle volume slider" stores the negated choice: one bool, false by default.
    UINT toggleId = GetMenuItemID(submenu, 3);
    ASSERT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{0}) << "at start";
    SendMessageW(host.MainWindow(), WM_COMMAND, MAKEWPARAM(toggleId, 0), 0);
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{1}) << "first choice";
    SendMessageW(host.MainWindow(), WM_COMMAND, MAKEWPARAM(toggleId, 0), 0);
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{0}) << "second choice";

    // Ids outside the four, on either side, are not the component's.
    EXPECT_FALSE(menus.Execute(fb2k_host::ComponentMenus::kFirstCommandId + 4));
    EXPECT_FALSE(menus.Execute(fb2k_host::ComponentMenus::kFirstCommandId - 1));
    // Once the menus have let go of the component, its items do nothing.
    menus.Clear();
    EXPECT_FALSE(menus.Execute(toggleId));
    SendMessageW(host.MainWindow(), WM_COMMAND, MAKEWPARAM(toggleId, 0), 0);
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{0}) << "chosen after the menus let go";
}

} // namespace
