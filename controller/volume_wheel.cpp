// The mouse wheel over the strip sets the player's volume, one slider step a notch, and the
// slider shows the volume while the wheel turns.
#include "controller/Trelvane.h"

#include "controller/volume_steps.h"
#include "player/Player.h"
#include "sdk/shared/shared.h"

void Trelvane::onWheel(WPARAM wParam, LPARAM lParam) {
    uCallStackTracker tracker("Trelvane::onWheel(WPARAM, LPARAM)");
    const int notches = WheelNotchesAt(wParam, lParam);
    if (notches == 0) return;
    const int step = VolumeSteps::StepAfterNotches(Player::Volume(), notches, SliderSteps());
    Player::Volume(VolumeSteps::LevelOfStep(step, SliderSteps()));
    // Each notch starts the wait again: the volume stays in view until the wheel has rested.
    SetTimer(MessageWindow(), kWheelVolumeTimer, kWheelVolumeShownFor, nullptr);
    ShowWheelVolume(true);
}

void Trelvane::EndWheelVolume() {
    uCallStackTracker tracker("Trelvane::EndWheelVolume()");
    KillTimer(MessageWindow(), kWheelVolumeTimer);
    ShowWheelVolume(false);
}

bool Trelvane::SliderShowsVolume() const { return volumeSliderActive || WheelVolumeShown(); }
