#include "player/Player.h"

#include "sdk/core_api.h"
#include "sdk/playback_control.h"
#include "sdk/shared/shared.h"
#include <cmath>
#include <limits>

HWND Player::mainWindow = nullptr;

namespace {
// Each operation looks the service up anew: the player may replace it at any time.
service_ptr_t<playback_control> control() { return standard_api_create_t<playback_control>(); }

constexpr double kLevelMax = 255.0;
constexpr double kLevelScale = 140.0;
constexpr float kSilenceDb = -100.0f;
} // namespace

int Player::LevelFromDecibels(float db) {
    double t = 1.0 - static_cast<double>(db);
    if (!(t > 1.0)) t = 1.0;
    double v = kLevelMax - kLevelScale * std::log10(t);
    if (v > 0) {
        if (!(v < kLevelMax)) v = kLevelMax;
    } else {
        v = 0; // also catches NaN
    }
    return static_cast<int>(v);
}

float Player::DecibelsFromLevel(int level) {
    if (level == 0) return kSilenceDb;
    double db = -(std::pow(10.0, (level - kLevelMax) / -kLevelScale) - 1.0);
    return static_cast<float>(db);
}

int Player::MillisecondsFromSeconds(double seconds) {
    // The player reports an unknown length as a negative one; callers test for < 0 or <= 0.
    if (!(seconds >= 0.0)) return kUnknownTime; // negative, or no number at all
    double milliseconds = std::trunc(seconds * 1000.0);
    if (milliseconds >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(milliseconds);
}

void Player::Attach() {
    uCallStackTracker tracker("Player::Attach()");
    mainWindow = core_api::get_main_window();
}

bool Player::Playing() {
    uCallStackTracker tracker("Player::Playing()");
    return control()->is_playing();
}

bool Player::Paused() {
    uCallStackTracker tracker("Player::Paused()");
    return control()->is_paused();
}

int Player::Volume() {
    uCallStackTracker tracker("Player::Volume()");
    return LevelFromDecibels(control()->get_volume());
}

void Player::Volume(int level) {
    uCallStackTracker tracker("Player::Volume(int)");
    control()->set_volume(DecibelsFromLevel(level));
}

int Player::Position() {
    uCallStackTracker tracker("Player::Position()");
    return MillisecondsFromSeconds(control()->playback_get_position());
}

void Player::Position(int milliseconds) {
    uCallStackTracker tracker("Player::Position(int)");
    control()->playback_seek(milliseconds / 1000.0);
}

int Player::Length() {
    uCallStackTracker tracker("Player::Length()");
    return MillisecondsFromSeconds(control()->playback_get_length());
}

bool Player::CanSeek() {
    uCallStackTracker tracker("Player::CanSeek()");
    service_ptr_t<playback_control> pc = control();
    return pc->playback_can_seek() && pc->playback_get_length() >= 0.0;
}
