#include "controller/volume_steps.h"

#include <cmath>

namespace {
constexpr double kLevelMax = 255.0;
} // namespace

int VolumeSteps::LevelOfFraction(double fraction) { return static_cast<int>(std::trunc(fraction * kLevelMax)); }

int VolumeSteps::LevelOfStep(int step, int steps) { return LevelOfFraction(step / static_cast<double>(steps)); }

int VolumeSteps::StepAfterNotches(int level, int notches, int steps) {
    // The highest step at or below the level, allowing for the one lost on the way back.
    int below = 0;
    while (below < steps && LevelOfStep(below + 1, steps) <= level + 1) ++below;
    const bool onStep = LevelOfStep(below, steps) >= level;
    long long step = static_cast<long long>(below) + notches;
    // Between two steps the first step down is the one just below.
    if (notches < 0 && !onStep) ++step;
    if (step < 0) return 0;
    return step > steps ? steps : static_cast<int>(step);
}
