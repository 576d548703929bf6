#pragma once
// The balloon's hide-after time as the page shows it. BalloonHideAfter holds the number of
// seconds, which is also what the balloon reads (clamped to 1..10 there too); the page's list
// holds "1 s" to "10 s", so the entry for n seconds sits at position n - 1. The default is
// the setting's own (settings/config_vars.cpp).
namespace HideAfter {
constexpr int kMinSeconds = 1;
constexpr int kMaxSeconds = 10;

inline int Clamp(int seconds) {
    return seconds < kMinSeconds ? kMinSeconds : seconds > kMaxSeconds ? kMaxSeconds : seconds;
}
inline int PositionOf(int seconds) { return Clamp(seconds) - kMinSeconds; }
// The seconds of a list position; a position outside the list (no selection) gives `otherwise`.
inline int SecondsAt(int position, int otherwise) {
    return position < 0 || position > kMaxSeconds - kMinSeconds ? otherwise : position + kMinSeconds;
}
} // namespace HideAfter
