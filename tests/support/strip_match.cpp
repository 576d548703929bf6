#include "tests/support/strip_match.h"

::testing::AssertionResult IconPixelsMatch(const TestStrip& strip, const Pixels (&expected)[2]) {
    for (int i = 0; i < 2; ++i) {
        const Pixels& want = expected[i];
        Pixels actual = ReadIconPixels(strip.IconRecord(i).hIcon);
        if (actual.width != want.width || actual.height != want.height)
            return ::testing::AssertionFailure() << "icon " << i << " is " << actual.width << "x" << actual.height;
        for (int y = 0; y < want.height; ++y)
            for (int x = 0; x < want.width; ++x) {
                if (actual.Opaque(x, y) != want.Opaque(x, y))
                    return ::testing::AssertionFailure() << "icon " << i << " (" << x << "," << y << ") is "
                                                         << (actual.Opaque(x, y) ? "opaque" : "transparent");
                if (want.Opaque(x, y) && actual.color[y * want.width + x] != want.color[y * want.width + x])
                    return ::testing::AssertionFailure()
                           << "icon " << i << " (" << x << "," << y << ") colour " << std::hex
                           << actual.color[y * want.width + x] << " instead of " << want.color[y * want.width + x];
            }
    }
    return ::testing::AssertionSuccess();
}
