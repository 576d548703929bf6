#include "tray/standard_commands.h"

#include "sdk/core_api.h"
#include "sdk/menu.h"
#include "tray/player_calls.h"

namespace standard_commands {
const GUID play = {0xD3F83B15, 0xD4AF, 0x4586, {0x8B, 0xD0, 0x4E, 0xA4, 0x15, 0xE3, 0x1F, 0xE1}};
const GUID pause = {0xFCEF5262, 0x7FA5, 0x452E, {0xA5, 0x27, 0xC1, 0x4E, 0x0C, 0xB5, 0x82, 0xDE}};
const GUID stop = {0xC3378028, 0x165F, 0x4374, {0x96, 0x6C, 0x2F, 0xA2, 0xE0, 0xFC, 0xD3, 0xA8}};
const GUID previous = {0x059C4566, 0x4708, 0x4EBF, {0x81, 0x39, 0x6A, 0x8E, 0xA5, 0xA9, 0xDF, 0xC8}};
const GUID next = {0xE58895A0, 0xA2F0, 0x45B6, {0x87, 0x99, 0x14, 0x40, 0xE4, 0xDB, 0x72, 0x84}};
const GUID open = {0x69C778AA, 0xB836, 0x40A0, {0x89, 0xCD, 0x7A, 0x2E, 0x50, 0xC1, 0x02, 0xCB}};
const GUID add_directory = {0x2DC43C22, 0xCA09, 0x4EF9, {0xA6, 0x1E, 0x7A, 0x0C, 0x1D, 0xAA, 0xE2, 0x1E}};
const GUID add_location = {0x9CA39D38, 0xAC9B, 0x4CCA, {0xB0, 0xCE, 0xC0, 0xF6, 0x2D, 0x18, 0x81, 0x14}};
const GUID preferences = {0x11213A01, 0x9F36, 0x4E69, {0xA1, 0xBB, 0x7A, 0x72, 0xF4, 0x18, 0xDE, 0x3A}};
const GUID exit = {0x6D38C73A, 0x15D8, 0x472C, {0x8E, 0x68, 0x6F, 0x94, 0x6B, 0x82, 0xEC, 0xB4}};
const GUID activate = {0x90500F09, 0xF16F, 0x415E, {0xA0, 0x47, 0xAC, 0x50, 0x45, 0xC9, 0x5F, 0xFE}};
const GUID hide = {0x13C17E8D, 0x0D6F, 0x41A4, {0xB2, 0x4A, 0x59, 0x37, 0x10, 0x43, 0xE9, 0x25}};
} // namespace standard_commands

bool RunStandardCommand(const GUID& command) {
    service_ptr_t<mainmenu_commands> provider;
    t_uint32 index = 0;
    {
        service_ptr_t<menu_item_resolver> resolver = standard_api_create_t<menu_item_resolver>();
        if (!resolver->resolve_main_command(command, provider, index)) return false;
    }
    // No context: an empty reference, handed over by value.
    PlayerCalls::Scope inCommand;
    provider->execute(index, hand_over(service_ptr_t<service_base>()));
    return true;
}

bool RunPlayCommand() { return RunStandardCommand(standard_commands::play); }
bool RunPauseCommand() { return RunStandardCommand(standard_commands::pause); }
bool RunStopCommand() { return RunStandardCommand(standard_commands::stop); }
bool RunPreviousCommand() { return RunStandardCommand(standard_commands::previous); }
bool RunNextCommand() { return RunStandardCommand(standard_commands::next); }
bool RunOpenCommand() { return RunStandardCommand(standard_commands::open); }
bool RunAddDirectoryCommand() { return RunStandardCommand(standard_commands::add_directory); }
bool RunAddLocationCommand() { return RunStandardCommand(standard_commands::add_location); }
bool RunPreferencesCommand() { return RunStandardCommand(standard_commands::preferences); }
bool RunExitCommand() { return RunStandardCommand(standard_commands::exit); }
bool RunActivateCommand() { return RunStandardCommand(standard_commands::activate); }
bool RunHideCommand() { return RunStandardCommand(standard_commands::hide); }
