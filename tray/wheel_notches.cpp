#include "tray/wheel_notches.h"

#include <windows.h>

int WheelNotches::Add(int delta) {
    // The sum is taken in 64 bits: a delta near the int limits plus the rest kept would
    // overflow an int.
    const long long sum = static_cast<long long>(m_rest) + delta;
    const long long notches = sum / WHEEL_DELTA; // truncated towards zero: the rest keeps the sign
    m_rest = static_cast<int>(sum - notches * WHEEL_DELTA);
    return static_cast<int>(notches);
}
