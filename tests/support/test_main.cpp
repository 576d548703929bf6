// The main of every test executable. A test executable may also be started as its own child
// process for tests that must watch a process end (see child_process.h). Neither runs outside
// the tests' Wine prefix (see test_prefix.h).
#include "tests/support/child_process.h"
#include "tests/support/test_prefix.h"
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (RefuseOutsideTestPrefix(argc > 0 ? argv[0] : "test")) return 2;
    int childExit = 0;
    if (RunChildModeIfRequested(argc, argv, childExit)) return childExit;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
