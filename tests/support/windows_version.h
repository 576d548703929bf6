#pragma once
// Runs GoogleTest cases of this test executable in a child process that Wine reports as
// another Windows version (the prefix's HKCU\Software\Wine\AppDefaults\<exe name>\Version),
// so that code which reads the version once sees each operating-system profile for real.
#include "base/system_handles.h"
#include "tests/support/child_process.h"
#include "tests/support/iat_hook.h"

#include <windows.h>
#include <string>

// For as long as it lives, Wine reports the version `wineVersion` (Wine's names, below) to
// processes started from this executable's file; the old value is put back afterwards.
class ScopedAppVersion {
public:
    explicit ScopedAppVersion(const wchar_t* wineVersion);
    ~ScopedAppVersion();
    ScopedAppVersion(const ScopedAppVersion&) = delete;
    ScopedAppVersion& operator=(const ScopedAppVersion&) = delete;

private:
    UniqueRegistryKey m_key;
    bool m_hadValue = false;
    std::wstring m_old;
};

// Wine's names: "winxp64" (5.2), "vista" (6.0), "win7" (6.1), "win8" (6.2), "win10" (10.0 for an
// executable whose manifest declares Windows 10, else 6.2).
// Runs the tests matching `gtestFilter` as that version; the child's report goes to the same
// output. The version value is put back as it was afterwards. The child succeeds (exit code
// 0) only when every test passed and exactly `expectedTests` of them ran rather than being
// skipped; with the default, when at least one ran. A child in which every test skipped
// (because the version did not take, say) therefore fails.
ChildResult RunTestsAsWindowsVersion(const wchar_t* wineVersion, const char* gtestFilter, int expectedTests = -1,
                                     unsigned long timeoutMs = 90000);

// The number of tests registered in a test suite of this executable, for a child that must
// run all of them.
int TestsInSuite(const char* suite);

// Exit codes of such a child besides 0 and GoogleTest's own 1.
constexpr unsigned long kChildRanNoTest = 2;
constexpr unsigned long kChildRanOtherCount = 3;

// The version this process was started with, as GetVersionExW reports it.
bool ReportedVersionIs(unsigned major, unsigned minor);

// Skips the current test unless this process reports the given version (tests meant to run
// only in such a child).
#define REQUIRE_WINDOWS_VERSION(MAJOR, MINOR)                                                                          \
    if (!ReportedVersionIs(MAJOR, MINOR)) GTEST_SKIP() << "runs as Windows " #MAJOR "." #MINOR " only"

// For as long as it lives, GetVersionExW answers this version to the calling module (this
// executable's own import): for tests that go through many versions in one process.
class ScopedReportedVersion {
public:
    ScopedReportedVersion(DWORD major, DWORD minor, HMODULE module = GetModuleHandleW(nullptr));
    ~ScopedReportedVersion();
    ScopedReportedVersion(const ScopedReportedVersion&) = delete;
    ScopedReportedVersion& operator=(const ScopedReportedVersion&) = delete;
    bool Installed() const { return m_hook.Installed(); }

private:
    static BOOL WINAPI Answer(OSVERSIONINFOW* version);
    static ScopedReportedVersion* s_active;
    DWORD m_major;
    DWORD m_minor;
    IatHook m_hook;
};
