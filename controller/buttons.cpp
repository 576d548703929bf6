// The strip's transport hooks: each runs the player's own main-menu command, when the player
// can take it (controller/player_command_queue.h).
#include "controller/Trelvane.h"

#include "sdk/core_api.h"
#include "sdk/shared/shared.h"
#include "tray/standard_commands.h"

void Trelvane::onPlayClick() {
    uCallStackTracker tracker("Trelvane::onPlayClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::AnyTrack, [] { RunPlayCommand(); });
}

void Trelvane::onPauseClick() {
    uCallStackTracker tracker("Trelvane::onPauseClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::AnyTrack, [] { RunPauseCommand(); });
}

void Trelvane::onStopClick() {
    uCallStackTracker tracker("Trelvane::onStopClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::AnyTrack, [] { RunStopCommand(); });
}

void Trelvane::onPrevClick() {
    uCallStackTracker tracker("Trelvane::onPrevClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::ThisTrack, [] { RunPreviousCommand(); });
}

void Trelvane::onNextClick() {
    uCallStackTracker tracker("Trelvane::onNextClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::ThisTrack, [] { RunNextCommand(); });
}

void Trelvane::onLoadClick() {
    uCallStackTracker tracker("Trelvane::onLoadClick()");
    playerCommands.Give(PlayerCommandQueue::Kind::AnyTrack, [] {
        RunActivateCommand();
        RunOpenCommand();
    });
}

void Trelvane::onMiddleClick() { ShowOrHideMainWindow(); }

// A minimised player comes back; any other state of its window (shown, or hidden without
// being minimised) is hidden.
void Trelvane::ShowOrHideMainWindow() {
    if (IsIconic(core_api::get_main_window())) RunActivateCommand();
    else RunHideCommand();
}
