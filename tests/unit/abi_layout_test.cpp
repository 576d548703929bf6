// The host interface as the player lays it out: every slot the component calls or answers at
// the position the player's compiler gives it, the class GUIDs, and the object layouts that
// cross. Expected values are the player's published contract, typed here by hand.
#include "sdk/client.h"
#include "sdk/componentversion.h"
#include "sdk/core_api.h"
#include "sdk/initquit.h"
#include "sdk/menu.h"
#include "sdk/play_callback.h"
#include "sdk/playlist.h"
#include "sdk/popup_message.h"
#include "sdk/preferences_page.h"
#include "sdk/service_factory.h"
#include "sdk/shared/shared.h"
#include "sdk/titleformat.h"
#include "tests/support/vtable_slot.h"

#include "tests/support/guid_text.h"

#include <gtest/gtest.h>
#include <cstdio>

namespace {

std::string Text(const GUID& g) { return GuidText(g); }

TEST(HostAbi, ClassGuidsAreThePlayers) {
    EXPECT_EQ(Text(initquit::class_guid), "113773C4-B387-4B48-8BDF-AB58BC6CE538");
    EXPECT_EQ(Text(componentversion::class_guid), "10BB3EBD-DDF7-4975-A3CC-23084829453E");
    EXPECT_EQ(Text(component_installation_validator::class_guid), "0639283E-3004-4E5C-B1B3-6DFF08A79284");
    EXPECT_EQ(Text(play_callback_manager::class_guid), "78BCBFA1-DFB9-487F-AB16-CD82BF90CCF7");
    EXPECT_EQ(Text(playback_control::class_guid), "BF803668-2977-4C71-B9AB-5C77C338C970");
    EXPECT_EQ(Text(metadb_handle::class_guid), "160885C6-3AA3-4F60-8718-1240615E6414");
    EXPECT_EQ(Text(metadb_info_container::class_guid), "D1FDCC01-1E84-48E6-BF5F-3774D1CDC00E");
    EXPECT_EQ(Text(titleformat_compiler::class_guid), "3F7674AB-044C-4796-8801-6C443C244D88");
    EXPECT_EQ(Text(titleformat_object::class_guid), "4AC9408E-4D9C-4135-ACB5-2CAB35376FC9");
    EXPECT_EQ(Text(playlist_manager::class_guid), "D8D51855-D79D-49B8-97A8-065785FA2426");
    EXPECT_EQ(Text(menu_item_resolver::class_guid), "AC70ECDC-0E1D-4DB2-9CD0-C9B8A9CD28FA");
    EXPECT_EQ(Text(mainmenu_commands::class_guid), "35077B8C-6E70-47BA-B9DD-D51500E12F2E");
    EXPECT_EQ(Text(mainmenu_group::class_guid), "21656AB9-0255-4F8C-8FB9-1A7748BCE93A");
    EXPECT_EQ(Text(mainmenu_group_popup::class_guid), "2E673A2E-A4EE-419C-94C8-9C838660414C");
    EXPECT_EQ(Text(preferences_page::class_guid), "7255E8D0-3FCF-4781-B93B-D06CB88DFAFA");
    EXPECT_EQ(Text(preferences_page_v2::class_guid), "CE4EBC9E-AB20-46F9-925F-883B084F0569");
    EXPECT_EQ(Text(preferences_page_v3::class_guid), "D6D0F741-9F17-4DF8-9D5C-87F28B1F0E64");
    EXPECT_EQ(Text(preferences_page_instance::class_guid), "6893A996-A816-49FE-82CE-0CB804A4CFEC");
    EXPECT_EQ(Text(preferences_page_callback::class_guid), "3D26E08E-861C-4599-9C89-AAA719AF5070");
    EXPECT_EQ(Text(popup_message::class_guid), "D5CAC75A-3023-4DCE-8B0D-B502BD056A7C");
}

TEST(HostAbi, ClientAndApiTables) {
    EXPECT_EQ(VtableSlot(&foobar2000_client::get_version), 0);
    EXPECT_EQ(VtableSlot(&foobar2000_client::get_service_list), 1);
    EXPECT_EQ(VtableSlot(&foobar2000_client::get_config), 2);
    EXPECT_EQ(VtableSlot(&foobar2000_client::set_config), 3);
    EXPECT_EQ(VtableSlot(&foobar2000_client::set_library_path), 4);
    EXPECT_EQ(VtableSlot(&foobar2000_client::services_init), 5);
    EXPECT_EQ(VtableSlot(&foobar2000_client::is_debug), 6);
    EXPECT_EQ(VtableSlot(&foobar2000_api::service_enum_find_class), 0);
    EXPECT_EQ(VtableSlot(&foobar2000_api::service_enum_create), 1);
    EXPECT_EQ(VtableSlot(&foobar2000_api::service_enum_get_count), 2);
    EXPECT_EQ(VtableSlot(&foobar2000_api::get_main_window), 3);
    EXPECT_EQ(VtableSlot(&foobar2000_api::get_profile_path), 7);
    EXPECT_EQ(VtableSlot(&foobar2000_api::is_quiet_mode_enabled), 10);
    EXPECT_EQ(VtableSlot(&service_factory_base::instance_create), 0);
}

TEST(HostAbi, ServicesTheComponentImplements) {
    EXPECT_EQ(VtableSlot(&service_base::service_release), 0);
    EXPECT_EQ(VtableSlot(&service_base::service_add_ref), 1);
    EXPECT_EQ(VtableSlot(&service_base::service_query), 2);
    EXPECT_EQ(VtableSlot(&initquit::on_init), 3);
    EXPECT_EQ(VtableSlot(&initquit::on_quit), 4);
    EXPECT_EQ(VtableSlot(&componentversion::get_file_name), 3);
    EXPECT_EQ(VtableSlot(&componentversion::get_about_message), 6);
    EXPECT_EQ(VtableSlot(&component_installation_validator::is_installed_correctly), 3);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_command_count), 3);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_command), 4);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_name), 5);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_description), 6);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_parent), 7);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_sort_priority), 8);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::get_display), 9);
    EXPECT_EQ(VtableSlot(&mainmenu_commands::execute), 10);
    EXPECT_EQ(VtableSlot(&mainmenu_group::get_guid), 3);
    EXPECT_EQ(VtableSlot(&mainmenu_group::get_parent), 4);
    EXPECT_EQ(VtableSlot(&mainmenu_group::get_sort_priority), 5);
    EXPECT_EQ(VtableSlot(&mainmenu_group_popup::get_display_string), 6);
    EXPECT_EQ(VtableSlot(&preferences_page::create), 3);
    EXPECT_EQ(VtableSlot(&preferences_page::get_name), 4);
    EXPECT_EQ(VtableSlot(&preferences_page::get_guid), 5);
    EXPECT_EQ(VtableSlot(&preferences_page::get_parent_guid), 6);
    EXPECT_EQ(VtableSlot(&preferences_page::reset_query), 7);
    EXPECT_EQ(VtableSlot(&preferences_page::reset), 8);
    EXPECT_EQ(VtableSlot(&preferences_page::get_help_url), 9);
    EXPECT_EQ(VtableSlot(&preferences_page_v2::get_sort_priority), 10);
    EXPECT_EQ(VtableSlot(&preferences_page_v3::instantiate), 11);
    EXPECT_EQ(VtableSlot(&preferences_page_instance::get_state), 3);
    EXPECT_EQ(VtableSlot(&preferences_page_instance::get_wnd), 4);
    EXPECT_EQ(VtableSlot(&preferences_page_instance::apply), 5);
    EXPECT_EQ(VtableSlot(&preferences_page_instance::reset), 6);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_starting), 0);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_new_track), 1);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_stop), 2);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_pause), 4);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_edited), 5);
    EXPECT_EQ(VtableSlot(&play_callback::on_playback_time), 8);
    EXPECT_EQ(VtableSlot(&play_callback::on_volume_change), 9);
    EXPECT_EQ(VtableSlot(&playlist_manager::enum_items_callback::on_item), 0);
}

TEST(HostAbi, ServicesThePlayerImplements) {
    EXPECT_EQ(VtableSlot(&playback_control::get_now_playing), 3);
    EXPECT_EQ(VtableSlot(&playback_control::start), 4);
    EXPECT_EQ(VtableSlot(&playback_control::stop), 5);
    EXPECT_EQ(VtableSlot(&playback_control::is_playing), 6);
    EXPECT_EQ(VtableSlot(&playback_control::is_paused), 7);
    EXPECT_EQ(VtableSlot(&playback_control::pause), 8);
    EXPECT_EQ(VtableSlot(&playback_control::set_volume), 11);
    EXPECT_EQ(VtableSlot(&playback_control::get_volume), 12);
    EXPECT_EQ(VtableSlot(&playback_control::playback_seek), 16);
    EXPECT_EQ(VtableSlot(&playback_control::playback_can_seek), 18);
    EXPECT_EQ(VtableSlot(&playback_control::playback_get_position), 19);
    EXPECT_EQ(VtableSlot(&play_callback_manager::register_callback), 3);
    EXPECT_EQ(VtableSlot(&play_callback_manager::unregister_callback), 4);
    EXPECT_EQ(VtableSlot(&titleformat_compiler::compile), 3);
    EXPECT_EQ(VtableSlot(&titleformat_object::run), 3);
    EXPECT_EQ(VtableSlot(&metadb_handle::get_location), 3);
    EXPECT_EQ(VtableSlot(&metadb_handle::format_title), 4);
    EXPECT_EQ(VtableSlot(&metadb_handle::get_info_ref), 19);
    EXPECT_EQ(VtableSlot(&metadb_info_container::info), 3);
    EXPECT_EQ(VtableSlot(&file_info::get_length), 0);
    EXPECT_EQ(VtableSlot(&playable_location::get_path), 0);
    EXPECT_EQ(VtableSlot(&playlist_manager::get_active_playlist), 4);
    EXPECT_EQ(VtableSlot(&playlist_manager::set_active_playlist), 5);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_get_item_count), 11);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_enum_items), 12);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_set_selection), 16);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_remove_items), 17);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_set_focus_item), 19);
    EXPECT_EQ(VtableSlot(&playlist_manager::playlist_ensure_visible), 21);
    EXPECT_EQ(VtableSlot(&playlist_manager::get_playing_item_location), 29);
    EXPECT_EQ(VtableSlot(&menu_item_resolver::resolve_main_command), 4);
    EXPECT_EQ(VtableSlot(&popup_message::show_ex), 3);
    EXPECT_EQ(VtableSlot(&preferences_page_callback::on_state_changed), 3);
    EXPECT_EQ(VtableSlot(&abort_callback::is_aborting), 0);
    EXPECT_EQ(VtableSlot(&abort_callback::get_abort_event), 1);
    EXPECT_EQ(VtableSlot(&stream_reader::read), 0);
    EXPECT_EQ(VtableSlot(&stream_writer::write), 0);
}

TEST(HostAbi, StringAndBitArrayTables) {
    EXPECT_EQ(VtableSlot(&pfc::string_base::add_string), 0);
    EXPECT_EQ(VtableSlot(&pfc::string_base::get_ptr), 1);
    EXPECT_EQ(VtableSlot(&pfc::string_base::set_string), 2);
    EXPECT_EQ(VtableSlot(&pfc::string_base::truncate), 3);
    EXPECT_EQ(VtableSlot(&pfc::string_base::get_length), 4);
    EXPECT_EQ(VtableSlot(&pfc::string_base::lock_buffer), 5);
    EXPECT_EQ(VtableSlot(&pfc::string_base::unlock_buffer), 6);
    EXPECT_EQ(VtableSlot(&pfc::bit_array::get), 0);
    EXPECT_EQ(VtableSlot(&pfc::bit_array::find), 1);
    EXPECT_EQ(VtableSlot(&pfc::bit_array_var::set), 2);
}

class LayoutProbe : public initquit {};

// The player reads a factory as {table, next, GUID pointer} and a reference as one pointer.
TEST(HostAbi, ObjectLayouts) {
    EXPECT_EQ(sizeof(void*) * 3, sizeof(service_factory_base));
    EXPECT_EQ(sizeof(void*), sizeof(service_ptr_t<service_base>));
    EXPECT_EQ(sizeof(void*), sizeof(service_by_value<service_base>));
    EXPECT_EQ(sizeof(void*), sizeof(uCallStackTracker));
    EXPECT_EQ(16u, sizeof(GUID));
    EXPECT_EQ(4u, sizeof(playback_control::t_track_command));
    static service_factory_single_t<LayoutProbe> probe;
    ASSERT_EQ(service_factory_base::list_head(), &probe) << "a new factory goes in front of the list";
    void* const* words = reinterpret_cast<void* const*>(&probe);
    EXPECT_EQ(words[1], probe.get_next());
    EXPECT_EQ(words[2], &initquit::class_guid) << "the GUID is pointed to, not held";
}

// A string the player fills through its buffer slots.
TEST(HostAbi, StringsCanBeFilledThroughTheirBuffer) {
    pfc::string8 text("old");
    char* buffer = text.lock_buffer(5);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], 0) << "cleared";
    std::memcpy(buffer, "ab\0cd", 5);
    text.unlock_buffer();
    EXPECT_STREQ(text.get_ptr(), "ab");
    EXPECT_EQ(text.get_length(), 2u);
    EXPECT_EQ(text.lock_buffer(SIZE_MAX), nullptr) << "an impossible size is refused, not thrown";
}

TEST(HostAbi, BitArrayFindSearchesBothWays) {
    pfc::bit_array_one one(5);
    EXPECT_EQ(one.find(true, 0, 10), 5u);
    EXPECT_EQ(one.find(true, 6, 10), 16u) << "none: start + count";
    EXPECT_EQ(one.find(true, 9, -10), 5u);
    EXPECT_EQ(one.find(false, 5, 0), 5u) << "count 0 gives start";
}

} // namespace
