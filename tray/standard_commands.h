#pragma once
// Runners of the player's own main-menu commands. Each resolves its command anew and runs
// it with no callback; false when the player does not know the command.
#include <windows.h>

bool RunStandardCommand(const GUID& command);

bool RunPlayCommand();
bool RunPauseCommand();
bool RunStopCommand();
bool RunPreviousCommand();
bool RunNextCommand();
bool RunOpenCommand();
bool RunAddDirectoryCommand();
bool RunAddLocationCommand();
bool RunPreferencesCommand();
bool RunExitCommand();
bool RunActivateCommand();
bool RunHideCommand();

namespace standard_commands {
extern const GUID play, pause, stop, previous, next, open, add_directory, add_location, preferences, exit, activate,
    hide;
}
