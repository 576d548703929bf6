// The main of every test executable. A test executable may also be started as its own child
// process for tests that must watch a process end (see child_process.h).
#include "tests/support/child_process.h"
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    int childExit = 0;
    if (RunChildModeIfRequested(argc, argv, childExit)) return childExit;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
