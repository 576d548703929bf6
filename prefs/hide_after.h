#pragma once
// The balloon's hide-after time as the page shows it. BalloonHideAfter holds the number of
// seconds, which is also what the balloon reads (clamped to 1..10 there too); the page's list
// holds "1 s" to "10 s", so the entry for n seconds sits at position n - 1, and the default
// of 4 seconds shows as "4 s".
namespace HideAfter {
constexpr int kMinSeconds = 1;
constexpr int kMaxSeconds = 10;
constexpr int kDefaultSeconds = 4;

inline int Clamp(int seconds) {
    return seconds < kMinSeconds ? kMinSeconds : seconds > kMaxSeconds ? kMaxSeconds : seconds;
}
inline int PositionOf(int seconds) { return Clamp(seconds) - kMinSeconds; }
// The seconds of a list position; a position outside the list (no selection) gives the default.
inline int SecondsAt(int position) {
    return position < 0 || position > kMaxSeconds - kMinSeconds ? kDefaultSeconds : position + kMinSeconds;
}
} // namespace HideAfter
