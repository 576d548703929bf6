// The tray popup menu's commands, one small handler per item. Transport items call the same
// hooks as the strip's buttons, so a menu command and its button behave alike.
#include "controller/tray_menu_commands.h"

#include "controller/Trelvane.h"
#include "player/Player.h"
#include "sdk/core_api.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"
#include "tray/standard_commands.h"

namespace {

void Back(Trelvane& controller) { controller.onPrevClick(); }

void PlayPause(Trelvane& controller) {
    if (Player::Playing()) controller.onPauseClick();
    else controller.onPlayClick();
}

void Stop(Trelvane& controller) { controller.onStopClick(); }
void Next(Trelvane& controller) { controller.onNextClick(); }

// The load dialogs belong to the main window, so it comes up first.
void LoadFile(Trelvane&) {
    RunActivateCommand();
    RunOpenCommand();
}

void LoadDirectory(Trelvane&) {
    RunActivateCommand();
    RunAddDirectoryCommand();
}

void LoadUrl(Trelvane&) {
    RunActivateCommand();
    RunAddLocationCommand();
}

void DeleteCurrentFile(Trelvane&) { Trelvane::DeleteCurrentFile(); }

void SeekSlider(Trelvane& controller) {
    cfg::VolumeSlider = false;
    controller.VolumeSlider(false);
}

void VolumeSlider(Trelvane& controller) {
    cfg::VolumeSlider = true;
    controller.VolumeSlider(true);
}

void Configuration(Trelvane&) { RunPreferencesCommand(); }

void ResetTrayIcons(Trelvane& controller) { controller.ResetIcons(); }

void ShowHide(Trelvane&) { Trelvane::ShowOrHideMainWindow(); }

void Quit(Trelvane&) { RunExitCommand(); }

typedef void (*MenuCommandHandler)(Trelvane&);

struct MenuCommand {
    UINT id;
    MenuCommandHandler handler;
};

const MenuCommand kMenuCommands[] = {
    {59000, &Back},          {59008, &PlayPause},     {59012, &Stop},           {59007, &Next},
    {59005, &LoadFile},      {59004, &LoadDirectory}, {59006, &LoadUrl},        {59014, &DeleteCurrentFile},
    {59010, &SeekSlider},    {59013, &VolumeSlider},  {59003, &Configuration},  {59016, &ResetTrayIcons},
    {40011, &ShowHide},      {59009, &Quit},
};

} // namespace

void RunTrayMenuCommand(Trelvane& controller, UINT command) {
    for (const MenuCommand& entry : kMenuCommands) {
        if (entry.id == command) {
            entry.handler(controller);
            return;
        }
    }
    SendMessageW(core_api::get_main_window(), WM_COMMAND, command, 0);
}
