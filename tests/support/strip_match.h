#pragma once
// Comparing the strip's two icons as drawn with the pixels a test expects of them.
#include "tests/support/icon_pixels.h"
#include "tests/support/test_strip.h"

#include <gtest/gtest.h>

// Both icons have the expected size, opacity and, where opaque, colour; the first difference
// names the icon and the pixel.
::testing::AssertionResult IconPixelsMatch(const TestStrip& strip, const Pixels (&expected)[2]);

// For a test's own description of the strip that holds its two icons' pixels as `icon`.
template <typename Expected>::testing::AssertionResult IconsMatch(const TestStrip& strip, const Expected& expected) {
    return IconPixelsMatch(strip, expected.icon);
}

// The slider position in the middle of one of its 24 steps.
inline double AtStep(int step) { return (step + 0.5) / 24.0; }
