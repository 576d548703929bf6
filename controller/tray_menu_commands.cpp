// The tray popup menu's commands, one small handler per item. Transport items call the same
// hooks as the strip's buttons, so a menu command and its button behave alike.
#include "controller/tray_menu_commands.h"

#include "controller/Trelvane.h"
#include "player/Player.h"
#include "resources/resource.h"
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

} // namespace

// clang-format off
const TrayMenuItem kTrayMenuItems[] = {
    // command                 held command                      text                     unchecked               checked                handler
    {ID_TRAY_BACK,             0,                                IDS_MENU_BACK,           IDB_MENU_BACK,          0,                     &Back},
    {ID_TRAY_PLAY_PAUSE,       0,                                IDS_MENU_PLAY_PAUSE,     IDB_MENU_PLAY,          IDB_MENU_PAUSE,        &PlayPause},
    {ID_TRAY_STOP,             0,                                IDS_MENU_STOP,           IDB_MENU_STOP,          0,                     &Stop},
    {ID_TRAY_NEXT,             0,                                IDS_MENU_NEXT,           IDB_MENU_NEXT,          0,                     &Next},
    {0,                        ID_TRAY_LOAD_FILE,                IDS_MENU_LOAD,           IDB_MENU_LOAD,          0,                     nullptr},
    {ID_TRAY_DELETE_FILE,      0,                                IDS_MENU_DELETE_FILE,    IDB_MENU_DELETE,        0,                     &DeleteCurrentFile},
    {0,                        ID_TRAY_PREFERENCES,              IDS_MENU_CONFIGURATION,  IDB_MENU_CONFIGURATION, 0,                     nullptr},
    {ID_TRAY_VOLUME_SLIDER,    0,                                IDS_MENU_VOLUME_SLIDER,  0,                      IDB_MENU_SLIDER_CHECK, &VolumeSlider},
    {ID_TRAY_SEEK_SLIDER,      0,                                IDS_MENU_SEEK_SLIDER,    0,                      IDB_MENU_SLIDER_CHECK, &SeekSlider},
    {ID_TRAY_RESET_ICONS,      0,                                IDS_MENU_RESET_ICONS,    IDB_MENU_RESET,         0,                     &ResetTrayIcons},
    {ID_TRAY_SHOW_HIDE,        0,                                IDS_MENU_SHOW_HIDE,      IDB_MENU_SHOW_HIDE,     0,                     &ShowHide},
    {ID_TRAY_QUIT,             0,                                IDS_MENU_QUIT,           IDB_MENU_QUIT,          0,                     &Quit},
    {ID_TRAY_LOAD_FILE,        0,                                IDS_MENU_LOAD_FILE,      IDB_MENU_FILE,          0,                     &LoadFile},
    {ID_TRAY_LOAD_DIRECTORY,   0,                                IDS_MENU_LOAD_DIRECTORY, IDB_MENU_DIRECTORY,     0,                     &LoadDirectory},
    {ID_TRAY_LOAD_URL,         0,                                IDS_MENU_LOAD_URL,       IDB_MENU_URL,           0,                     &LoadUrl},
    {ID_TRAY_PREFERENCES,      0,                                IDS_MENU_PREFERENCES,    0,                      0,                     &Configuration},
};
// clang-format on
const size_t kTrayMenuItemCount = ARRAYSIZE(kTrayMenuItems);

void RunTrayMenuCommand(Trelvane& controller, UINT command) {
    for (const TrayMenuItem& entry : kTrayMenuItems) {
        if (entry.handler && entry.command == command) {
            entry.handler(controller);
            return;
        }
    }
    SendMessageW(core_api::get_main_window(), WM_COMMAND, command, 0);
}
