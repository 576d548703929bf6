#pragma once
// The volume slider's steps as volume levels (0..255, 255 is 0 dB). The slider and the mouse
// wheel convert through these alone, so that both agree at every step.
namespace VolumeSteps {

// The level the slider sets for a fraction of its length (step / steps): truncated towards zero.
int LevelOfFraction(double fraction);
// The level of one step of a slider with `steps` steps.
int LevelOfStep(int step, int steps);

// The step `notches` steps away from the volume at `level`, limited to 0..steps. The level
// read back from the player may be one below the level a step set (the way to decibels and
// back truncates), so it still counts as that step; a level between two steps moves to the
// nearest step in the direction of the turn.
int StepAfterNotches(int level, int notches, int steps);

} // namespace VolumeSteps
