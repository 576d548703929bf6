#pragma once
// Runs GoogleTest cases of this test executable in a child process that Wine reports as
// another Windows version (the prefix's HKCU\Software\Wine\AppDefaults\<exe name>\Version),
// so that code which reads the version once sees each operating-system profile for real.
#include "tests/support/child_process.h"

// Wine's names: "winxp64" (5.2), "vista" (6.0), "win7" (6.1).
// Runs the tests matching `gtestFilter` as that version; the child's report goes to the same
// output. The version value is put back as it was afterwards.
ChildResult RunTestsAsWindowsVersion(const wchar_t* wineVersion, const char* gtestFilter,
                                     unsigned long timeoutMs = 90000);

// The version this process was started with, as GetVersionExW reports it.
bool ReportedVersionIs(unsigned major, unsigned minor);

// Skips the current test unless this process reports the given version (tests meant to run
// only in such a child).
#define REQUIRE_WINDOWS_VERSION(MAJOR, MINOR) \
    if (!ReportedVersionIs(MAJOR, MINOR)) GTEST_SKIP() << "runs as Windows " #MAJOR "." #MINOR " only"
