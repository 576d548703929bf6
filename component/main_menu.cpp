// The player's main menu: a "Trelvane" submenu with four commands.
#include "component/main_menu.h"

#include "controller/Trelvane.h"
#include "sdk/boundary.h"
#include "sdk/core_api.h"
#include "sdk/playback_control.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"

namespace {

const GUID kGroup = {0xBD5A6459, 0xF417, 0x4C86, {0x91, 0xBE, 0xBE, 0x81, 0x71, 0xE9, 0x8A, 0xD7}};
// The player's standard group the submenu hangs from.
const GUID kParentGroup = {0xF8BE5604, 0x165F, 0x4BB9, {0xB6, 0xA9, 0x15, 0xE5, 0x5E, 0x0E, 0x0D, 0x3A}};

void ShowCurrentSongInfo() {
    metadb_handle_ptr track;
    if (standard_api_create_t<playback_control>()->get_now_playing(track)) Trelvane::Instance().ShowBalloon(true);
}

void DeleteCurrentSong() { Trelvane::DeleteCurrentFile(); }

void ResetIcons() { Trelvane::Instance().ResetIcons(); }

void ToggleVolumeSlider() {
    cfg::VolumeSlider = !cfg::VolumeSlider;
    Trelvane::Instance().VolumeSlider(static_cast<bool>(cfg::VolumeSlider));
}

struct Command {
    GUID guid;        // the command's identity, which the player stores with key bindings
    const char* name; // shown in the menu; the same in every language
    void (*run)();    // what choosing the command does
};

// In index order.
const Command kCommands[] = {
    {{0x9941E14B, 0xCF85, 0x4049, {0xB7, 0x5F, 0x29, 0x03, 0x85, 0x97, 0xBF, 0x19}},
     "Show current song info",
     &ShowCurrentSongInfo},
    {{0x5F241F02, 0xDBEB, 0x4EE2, {0xB6, 0x85, 0x9D, 0xEA, 0xD3, 0xC8, 0x7F, 0x6B}},
     "Delete current song",
     &DeleteCurrentSong},
    {{0xE707F251, 0xD161, 0x4DB2, {0xAE, 0xF6, 0x1D, 0x8B, 0xD8, 0x64, 0xC3, 0xE4}}, "Reset Icons", &ResetIcons},
    {{0xE707F252, 0xD161, 0x4DB2, {0xAE, 0xF6, 0x1D, 0x8B, 0xD8, 0x64, 0xC3, 0xE4}},
     "Toggle volume slider",
     &ToggleVolumeSlider},
};
constexpr t_uint32 kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);

// An index the player was never offered is an internal impossibility.
const Command& CommandAt(t_uint32 index) {
    if (index < kCommandCount) return kCommands[index];
    uBugCheck();
}

} // namespace

GUID* TVFMainMenuMain::get_guid(GUID* out) {
    uCallStackTracker tracker("TVFMainMenuMain::get_guid()");
    return construct_result(out, kGroup);
}

GUID* TVFMainMenuMain::get_parent(GUID* out) {
    uCallStackTracker tracker("TVFMainMenuMain::get_parent()");
    return construct_result(out, kParentGroup);
}

t_uint32 TVFMainMenuMain::get_sort_priority() {
    uCallStackTracker tracker("TVFMainMenuMain::get_sort_priority()");
    return 0;
}

void TVFMainMenuMain::get_display_string(pfc::string_base& out) {
    uCallStackTracker tracker("TVFMainMenuMain::get_display_string()");
    fb2k::guarded([&] { out.set_string("Trelvane"); });
}

t_uint32 TVFMainMenuSub::get_command_count() { return kCommandCount; }

GUID* TVFMainMenuSub::get_command(GUID* out, t_uint32 index) {
    uCallStackTracker tracker("TVFMainMenuSub::get_command(t_uint32)");
    return construct_result(out, CommandAt(index).guid);
}

void TVFMainMenuSub::get_name(t_uint32 index, pfc::string_base& out) {
    uCallStackTracker tracker("TVFMainMenuSub::get_command(t_uint32, pfc::string_base)");
    const char* name = CommandAt(index).name;
    fb2k::guarded([&] { out.set_string(name); });
}

bool TVFMainMenuSub::get_description(t_uint32, pfc::string_base&) { return false; }

GUID* TVFMainMenuSub::get_parent(GUID* out) { return construct_result(out, kGroup); }

t_uint32 TVFMainMenuSub::get_sort_priority() { return sort_priority_dontcare; }

// Always shown, enabled and unchecked, under its own name.
bool TVFMainMenuSub::get_display(t_uint32 index, pfc::string_base& text, t_uint32& flags) {
    flags = 0;
    get_name(index, text);
    return true;
}

void TVFMainMenuSub::execute(t_uint32 index, service_by_value<service_base> callback) {
    uCallStackTracker tracker("TVFMainMenuSub::execute(unsigned, service_ptr_t<service_base>)");
    adopt(callback).release();
    const Command& command = CommandAt(index);
    fb2k::guarded([&command] { command.run(); });
}
