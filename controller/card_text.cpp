#include "controller/card_text.h"

#include "controller/volume_steps.h"
#include "player/Player.h"

#include <cmath>
#include <cwchar>

namespace {
constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;
constexpr int kMillisecondsPerSecond = 1000; // not a resource id: milliseconds
} // namespace

namespace CardText {

std::wstring Clock(int milliseconds) {
    const int seconds = milliseconds > 0 ? milliseconds / kMillisecondsPerSecond : 0;
    wchar_t text[32] = {};
    if (seconds >= kSecondsPerHour)
        swprintf(text, 32, L"%d:%02d:%02d", seconds / kSecondsPerHour, seconds / kSecondsPerMinute % 60,
                 seconds % kSecondsPerMinute);
    else swprintf(text, 32, L"%d:%02d", seconds / kSecondsPerMinute, seconds % kSecondsPerMinute);
    return text;
}

std::wstring Timeline(int positionMs, int lengthMs) {
    if (lengthMs <= 0) return L"live";
    return Clock(positionMs) + L" / " + Clock(lengthMs);
}

// The same arithmetic as the slider's release: the step as a fraction of the range, times the
// length, truncated.
int SeekTimeAtStep(int step, int range, int lengthMs) {
    if (range <= 0 || lengthMs <= 0) return 0;
    const double fraction = step / static_cast<double>(range);
    return static_cast<int>(std::trunc(lengthMs * fraction));
}

std::wstring VolumeAtStep(int step, int range) {
    const float db = Player::DecibelsFromLevel(VolumeSteps::LevelOfStep(step, range));
    wchar_t text[32] = {};
    // The top step lands a hair below zero; it reads as the 0 dB it is.
    swprintf(text, 32, L"%.1f dB", db > -0.05f ? 0.0 : static_cast<double>(db));
    return text;
}

} // namespace CardText
