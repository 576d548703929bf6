#include "tests/support/windows_version.h"
#include "tests/support/registry_write.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kFilterVariable = "TRELVANE_CHILD_GTEST_FILTER";
const char* const kExpectedVariable = "TRELVANE_CHILD_EXPECTED_TESTS";

std::wstring AppDefaultsKey() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
    std::wstring full(path);
    return L"Software\\Wine\\AppDefaults\\" + full.substr(full.find_last_of(L"\\/") + 1);
}

} // namespace

ScopedAppVersion::ScopedAppVersion(const wchar_t* version) {
    m_key = CreateRegistryKey(HKEY_CURRENT_USER, AppDefaultsKey().c_str(), KEY_ALL_ACCESS);
    if (!m_key) return;
    wchar_t old[64] = {};
    DWORD size = sizeof(old) - sizeof(wchar_t);
    m_hadValue =
        RegQueryValueExW(m_key.get(), L"Version", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    m_old = old;
    RegSetValueExW(m_key.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
}

ScopedAppVersion::~ScopedAppVersion() {
    if (!m_key) return;
    if (m_hadValue)
        RegSetValueExW(m_key.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                       static_cast<DWORD>((m_old.size() + 1) * sizeof(wchar_t)));
    else RegDeleteValueW(m_key.get(), L"Version");
}

CHILD_PROCESS_BODY(gtest_as_other_windows) {
    const char* filter = std::getenv(kFilterVariable);
    std::string flag = std::string("--gtest_filter=") + (filter ? filter : "-*");
    std::string program = "child";
    char* argv[] = {&program[0], &flag[0], nullptr};
    int argc = 2;
    testing::InitGoogleTest(&argc, argv);
    if (RUN_ALL_TESTS() != 0) return 1;
    // Tests that passed without skipping; a skipped test proves nothing.
    int ran = testing::UnitTest::GetInstance()->successful_test_count();
    const char* expectedText = std::getenv(kExpectedVariable);
    int expected = expectedText ? std::atoi(expectedText) : -1;
    if (expected < 0 && ran == 0) {
        std::printf("child: no test ran in \"%s\" (all skipped or none matched)\n", filter ? filter : "");
        return static_cast<int>(kChildRanNoTest);
    }
    if (expected >= 0 && ran != expected) {
        std::printf("child: %d tests ran in \"%s\", %d expected\n", ran, filter ? filter : "", expected);
        return static_cast<int>(kChildRanOtherCount);
    }
    return 0;
}

ChildResult RunTestsAsWindowsVersion(const wchar_t* wineVersion, const char* gtestFilter, int expectedTests,
                                     unsigned long timeoutMs) {
    ScopedAppVersion version(wineVersion);
    std::wstring environment = L"TRELVANE_CHILD_GTEST_FILTER=";
    for (const char* p = gtestFilter; *p; ++p) environment += static_cast<wchar_t>(*p);
    environment += L";TRELVANE_CHILD_EXPECTED_TESTS=" + std::to_wstring(expectedTests);
    return RunChild("gtest_as_other_windows", timeoutMs, environment);
}

int TestsInSuite(const char* suite) {
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); ++i)
        if (std::string(unit.GetTestSuite(i)->name()) == suite) return unit.GetTestSuite(i)->total_test_count();
    return 0;
}

bool ReportedVersionIs(unsigned major, unsigned minor) {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return version.dwMajorVersion == major && version.dwMinorVersion == minor;
}

ScopedReportedVersion* ScopedReportedVersion::s_active = nullptr;

ScopedReportedVersion::ScopedReportedVersion(DWORD major, DWORD minor, HMODULE module)
    : m_major(major), m_minor(minor),
      m_hook(module, "kernel32.dll", "GetVersionExW", reinterpret_cast<void*>(&ScopedReportedVersion::Answer)) {
    s_active = this;
}

ScopedReportedVersion::~ScopedReportedVersion() {
    if (s_active == this) s_active = nullptr;
}

BOOL WINAPI ScopedReportedVersion::Answer(OSVERSIONINFOW* version) {
    if (!version || !s_active) return FALSE;
    BOOL answered = OriginalOf<BOOL(WINAPI*)(OSVERSIONINFOW*)>(s_active->m_hook)(version);
    version->dwMajorVersion = s_active->m_major;
    version->dwMinorVersion = s_active->m_minor;
    return answered;
}
