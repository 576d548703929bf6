#pragma once
// The card's texts about time and volume, from the same conversions the slider uses, so that
// what the card says under the pointer is what a click there does.
#include <string>

namespace CardText {

// "m:ss", or "h:mm:ss" from one hour on; truncated to whole seconds. Negative times read 0:00.
std::wstring Clock(int milliseconds);
// "1:23 / 4:05"; "live" for a source without a length (0 or less).
std::wstring Timeline(int positionMs, int lengthMs);
// The position a click or release at `step` of a slider with `range` steps seeks to.
int SeekTimeAtStep(int step, int range, int lengthMs);
// The volume a click at `step` of the volume slider sets, as "-7.2 dB".
std::wstring VolumeAtStep(int step, int range);

} // namespace CardText
