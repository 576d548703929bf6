// The controller's side of the strip's slider: seek or volume, the conversion between the
// strip's fraction and the player's position or volume, and the periodic redraw.
#include "controller/Trelvane.h"

#include "controller/volume_steps.h"
#include "player/Player.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"
#include <cmath>

namespace {
constexpr double kNoPosition = -1.0;
constexpr double kLevelMax = 255.0;
} // namespace

void Trelvane::VolumeSlider(bool volume) {
    uCallStackTracker tracker("Trelvane::VolumeSlider(bool)");
    // The player is asked only as far as the answer depends on it.
    bool mode = volume || (cfg::AutoVolumeOnStream && Player::Playing() && !Player::CanSeek());
    volumeSliderActive = mode;
    uCallStackTracker setMode("NotifyIcons::SetSliderMode(bool)");
    SetSliderMode(mode);
}

void Trelvane::VolumeSlider() {
    uCallStackTracker tracker("Trelvane::VolumeSlider()");
    VolumeSlider(static_cast<bool>(cfg::VolumeSlider));
}

void Trelvane::RefreshSlider() {
    uCallStackTracker tracker("Trelvane::RefreshSlider()");
    if (Player::Playing()) Refresh();
}

double Trelvane::onWantSliderPosition() {
    uCallStackTracker tracker("Trelvane::onWantSliderPosition()");
    if (SliderShowsVolume()) return static_cast<unsigned>(Player::Volume()) / kLevelMax;
    int position = Player::Position();
    int length = Player::Length();
    if (length > 0) return static_cast<double>(position) / static_cast<double>(length);
    return kNoPosition;
}

void Trelvane::onSliderPositionChange(double fraction) {
    uCallStackTracker tracker("Trelvane::onSliderPositionChange(double)");
    if (SliderShowsVolume()) {
        Player::Volume(VolumeSteps::LevelOfFraction(fraction));
        return;
    }
    // The length is read when the seek is given, so that a seek made just after a click on
    // next lands in the new track.
    playerCommands.Give(PlayerCommandQueue::Kind::ThisTrack, [fraction] {
        int length = Player::Length();
        if (length >= 0) Player::Position(static_cast<int>(std::trunc(length * fraction)));
    });
}
