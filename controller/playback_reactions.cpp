// How the strip follows playback: start, stop, pause and resume.
#include "controller/Trelvane.h"

#include "controller/strip_card.h"
#include "sdk/shared/shared.h"

void Trelvane::onStarted() {
    uCallStackTracker tracker("Trelvane::onStarted()");
    playerCommands.TrackStarting(true);
    SetPlayMode(Playing);
}

void Trelvane::onStopped() {
    uCallStackTracker tracker("Trelvane::onStopped()");
    playerCommands.TrackStarting(false);
    VolumeSlider();
    HideBalloon();
    SetPlayMode(Stopped);
    StripCard::Instance().OnStopped();
}

void Trelvane::onPaused() {
    uCallStackTracker tracker("Trelvane::onPaused()");
    VolumeSlider();
    HideBalloon();
    SetPlayMode(Paused);
}

void Trelvane::onUnpaused() {
    uCallStackTracker tracker("Trelvane::onUnpaused()");
    VolumeSlider();
    SetPlayMode(Playing);
}
