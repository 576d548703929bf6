#include "tests/support/windows_version.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

namespace {

const char* const kFilterVariable = "TRELVANE_CHILD_GTEST_FILTER";

std::wstring AppDefaultsKey() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
    std::wstring full(path);
    return L"Software\\Wine\\AppDefaults\\" + full.substr(full.find_last_of(L"\\/") + 1);
}

// Sets the version value for this executable's name; puts the old state back on destruction.
class ScopedAppVersion {
public:
    explicit ScopedAppVersion(const wchar_t* version) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, AppDefaultsKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                            nullptr) != ERROR_SUCCESS)
            return;
        wchar_t old[64] = {};
        DWORD size = sizeof(old) - sizeof(wchar_t);
        m_hadValue = RegQueryValueExW(m_key, L"Version", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        m_old = old;
        RegSetValueExW(m_key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
    ~ScopedAppVersion() {
        if (!m_key) return;
        if (m_hadValue)
            RegSetValueExW(m_key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                           static_cast<DWORD>((m_old.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(m_key, L"Version");
        RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    bool m_hadValue = false;
    std::wstring m_old;
};

} // namespace

CHILD_PROCESS_BODY(gtest_as_other_windows) {
    const char* filter = std::getenv(kFilterVariable);
    std::string flag = std::string("--gtest_filter=") + (filter ? filter : "-*");
    std::string program = "child";
    char* argv[] = {&program[0], &flag[0], nullptr};
    int argc = 2;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

ChildResult RunTestsAsWindowsVersion(const wchar_t* wineVersion, const char* gtestFilter, unsigned long timeoutMs) {
    ScopedAppVersion version(wineVersion);
    std::wstring environment = L"TRELVANE_CHILD_GTEST_FILTER=";
    for (const char* p = gtestFilter; *p; ++p) environment += static_cast<wchar_t>(*p);
    return RunChild("gtest_as_other_windows", timeoutMs, environment);
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
