// The component's submenu in the player's main menu and its four commands, run against the
// real DLL with the tray and message boxes watched at the DLL's import boundary.
#include "host/component_loader.h"
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "sdk/menu.h"
#include "tests/support/child_process.h"
#include "tests/support/iat_hook.h"
#include "tests/support/shell_tray.h"

#include "sdk/shared/shared.h"
#include "tests/support/config_value.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using fb2k_host::Host;
using fb2k_host::LoadedComponent;

const GUID kGroup = {0xBD5A6459, 0xF417, 0x4C86, {0x91, 0xBE, 0xBE, 0x81, 0x71, 0xE9, 0x8A, 0xD7}};
const GUID kParent = {0xF8BE5604, 0x165F, 0x4BB9, {0xB6, 0xA9, 0x15, 0xE5, 0x5E, 0x0E, 0x0D, 0x3A}};
const GUID kVolumeSliderSetting = {0x430BE47B, 0xE9B9, 0x4DA2, {0xBF, 0x2A, 0x8B, 0xC0, 0x10, 0xA7, 0x13, 0xD5}};
const GUID kLanguageSetting = {0x0B1F1B76, 0xCB01, 0x45B6, {0x82, 0x60, 0xD6, 0xEE, 0x48, 0x10, 0x57, 0xAE}};

std::vector<std::wstring> askedQuestions;
int WINAPI AnswerNo(HWND, LPCWSTR text, LPCWSTR, UINT) {
    askedQuestions.push_back(text);
    return IDNO;
}

template <typename T> service_ptr_t<T> Find(Host& host, const GUID& cls) {
    service_ptr_t<service_base> found;
    service_ptr_t<T> typed;
    for (t_size i = 0; host.CreateService(found, cls, i); ++i)
        if (found.cast(typed)) return typed;
    return typed;
}

std::vector<char> ConfigRecord(const GUID& guid, const void* value, t_uint32 size) {
    std::vector<char> record(20 + size);
    std::memcpy(&record[0], &guid, 16);
    std::memcpy(&record[16], &size, 4);
    std::memcpy(&record[20], value, size);
    return record;
}

class MainMenuTest : public testing::Test {
protected:
    void SetUp() override {
        host.Popups().SetShowMessageBoxes(false);
        ASSERT_TRUE(component.Load(L"foo_Trelvane.dll")) << component.Error();
        tray.reset(new ShellTray(component.Module()));
        ASSERT_TRUE(tray->Installed());
        int language = 0x0407; // German: only the question is translated
        component.SetConfig(ConfigRecord(kLanguageSetting, &language, sizeof(language)));
        component.ServicesInit(true);
        component.Init();
        group = Find<mainmenu_group_popup>(host, mainmenu_group::class_guid);
        commands = Find<mainmenu_commands>(host, mainmenu_commands::class_guid);
        for (t_size i = 0; commands.is_valid() && !pfc::guid_equal(commands->parent_guid(), kGroup); ++i) {
            service_ptr_t<service_base> found;
            if (!host.CreateService(found, mainmenu_commands::class_guid, i)) break;
            found.cast(commands);
        }
    }
    void TearDown() override {
        // Nothing of the component may be held once its code is gone.
        group.release();
        commands.release();
        component.Quit();
        tray.reset();
        component.Unload();
    }
    std::string Name(t_uint32 index) {
        pfc::string8 name;
        commands->get_name(index, name);
        return name.get_ptr();
    }
    size_t BalloonCount() {
        size_t count = 0;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if ((call.flags & NIF_INFO) && !call.info.empty()) ++count;
        return count;
    }

    Host host;
    LoadedComponent component{host};
    std::unique_ptr<ShellTray> tray;
    service_ptr_t<mainmenu_group_popup> group;
    service_ptr_t<mainmenu_commands> commands;
};

TEST_F(MainMenuTest, TheSubmenuAndItsCommandsAreDeclaredInEnglishWhateverTheLanguage) {
    ASSERT_TRUE(group.is_valid());
    EXPECT_TRUE(pfc::guid_equal(group->group_guid(), kGroup));
    EXPECT_TRUE(pfc::guid_equal(group->parent_guid(), kParent));
    EXPECT_EQ(group->get_sort_priority(), 0u);
    pfc::string8 label;
    group->get_display_string(label);
    EXPECT_STREQ(label.get_ptr(), "Trelvane");

    ASSERT_TRUE(commands.is_valid());
    ASSERT_EQ(commands->get_command_count(), 4u);
    EXPECT_EQ(Name(0), "Show current song info");
    EXPECT_EQ(Name(1), "Delete current song");
    EXPECT_EQ(Name(2), "Reset Icons");
    EXPECT_EQ(Name(3), "Toggle volume slider");
    // The GUIDs the player binds shortcuts and toolbar buttons to.
    const GUID published[4] = {
        {0x9941E14B, 0xCF85, 0x4049, {0xB7, 0x5F, 0x29, 0x03, 0x85, 0x97, 0xBF, 0x19}},
        {0x5F241F02, 0xDBEB, 0x4EE2, {0xB6, 0x85, 0x9D, 0xEA, 0xD3, 0xC8, 0x7F, 0x6B}},
        {0xE707F251, 0xD161, 0x4DB2, {0xAE, 0xF6, 0x1D, 0x8B, 0xD8, 0x64, 0xC3, 0xE4}},
        {0xE707F252, 0xD161, 0x4DB2, {0xAE, 0xF6, 0x1D, 0x8B, 0xD8, 0x64, 0xC3, 0xE4}},
    };
    for (t_uint32 i = 0; i < 4; ++i)
        EXPECT_TRUE(pfc::guid_equal(commands->command_guid(i), published[i])) << "command " << i;
    EXPECT_TRUE(pfc::guid_equal(commands->parent_guid(), kGroup));
    EXPECT_EQ(commands->get_sort_priority(), 0x80000000u);
    pfc::string8 text;
    t_uint32 flags = 99;
    EXPECT_TRUE(commands->get_display(1, text, flags));
    EXPECT_EQ(flags, 0u);
    EXPECT_STREQ(text.get_ptr(), "Delete current song");
    EXPECT_FALSE(commands->get_description(0, text));
}

TEST_F(MainMenuTest, ShowCurrentSongInfoShowsTheBalloonAgainOnDemandAndNothingWhenStopped) {
    commands->execute(0, hand_over(service_ptr_t<service_base>()));
    EXPECT_EQ(BalloonCount(), 0u) << "stopped";
    host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 100, {{"artist", "A"}, {"title", "B"}}}});
    host.Playback().Play();
    size_t automatic = BalloonCount();
    commands->execute(0, hand_over(service_ptr_t<service_base>()));
    commands->execute(0, hand_over(service_ptr_t<service_base>()));
    EXPECT_EQ(BalloonCount(), automatic + 2) << "two commands while playing";
}

TEST_F(MainMenuTest, ToggleVolumeSliderTwiceReturnsTheSettingToWhereItWas) {
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{0}) << "at start";
    commands->execute(3, hand_over(service_ptr_t<service_base>()));
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{1}) << "first toggle";
    commands->execute(3, hand_over(service_ptr_t<service_base>()));
    EXPECT_EQ(ConfigValue(component, kVolumeSliderSetting), std::vector<char>{0}) << "second toggle";
}

TEST_F(MainMenuTest, ResetIconsBringsLostIconsBack) {
    tray->LoseIcons();
    tray->Clear();
    commands->execute(2, hand_over(service_ptr_t<service_base>()));
    EXPECT_EQ(tray->CallsOf(NIM_DELETE).size(), 2u);
    EXPECT_EQ(tray->CallsOf(NIM_ADD).size(), 2u);
    EXPECT_TRUE(tray->Holds(6862));
    EXPECT_TRUE(tray->Holds(6863));
}

TEST_F(MainMenuTest, DeleteAsksInTheChosenLanguage) {
    IatHook messageBox(component.Module(), "user32.dll", "MessageBoxW", reinterpret_cast<void*>(&AnswerNo));
    askedQuestions.clear();
    host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 100, {}}});
    host.Playback().Play();
    commands->execute(1, hand_over(service_ptr_t<service_base>()));
    ASSERT_EQ(askedQuestions.size(), 1u);
    EXPECT_EQ(askedQuestions[0].find(L"Do you want to delete"), std::wstring::npos) << "German, not English";
    EXPECT_NE(askedQuestions[0].find(L"\n\nC:\\Music\\a.flac"), std::wstring::npos);
    EXPECT_EQ(host.Playback().Playlist().size(), 1u);
}

CHILD_PROCESS_BODY(execute_out_of_range) {
    Host host;
    host.Popups().SetShowMessageBoxes(false);
    LoadedComponent component(host);
    if (!component.Load(L"foo_Trelvane.dll")) return 98;
    service_ptr_t<mainmenu_commands> commands = Find<mainmenu_commands>(host, mainmenu_commands::class_guid);
    for (t_size i = 0; !pfc::guid_equal(commands->parent_guid(), kGroup); ++i) {
        service_ptr_t<service_base> found;
        if (!host.CreateService(found, mainmenu_commands::class_guid, i)) return 97;
        found.cast(commands);
    }
    commands->execute(4, hand_over(service_ptr_t<service_base>()));
    return 0;
}

TEST(MainMenuBugCheck, AnIndexNeverOfferedEndsTheProcess) {
    ChildResult child = RunChild("execute_out_of_range");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(TRELVANE_BUGCHECK_EXIT_CODE));
}

} // namespace
