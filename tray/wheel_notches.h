#pragma once
// Turns the wheel's deltas into whole notches. A notch is WHEEL_DELTA (120); precision
// touchpads and some mice send smaller deltas, which add up until they make a notch, and the
// rest is kept for the next. Positive is a turn up, away from the user.
class WheelNotches {
public:
    // Adds a delta and returns the whole notches it completes (negative for a turn down).
    // Any int is taken, the largest included, without overflow.
    int Add(int delta);
    // Forgets the part of a notch that has not been completed.
    void Reset() { m_rest = 0; }

private:
    int m_rest = 0; // always within -(WHEEL_DELTA - 1) .. WHEEL_DELTA - 1
};
