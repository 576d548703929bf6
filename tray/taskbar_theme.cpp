// Reading the taskbar's theme from the registry.
#include "tray/taskbar_theme.h"

#include <cwchar>

namespace {

constexpr DWORD kFirstDarkCapableMajor = 10;
// Longer than any setting name the shell broadcasts; the text is only compared, never copied.
constexpr size_t kLongestNotice = 64;

typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOW*);

// The real major version. GetVersionExW reports 6.2 to a host without a Windows 10 manifest,
// and such a host on Windows 11 still sits on a dark taskbar, so the kernel is asked instead.
DWORD MajorVersion() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    if (rtlGetVersion && rtlGetVersion(&version) == 0) return version.dwMajorVersion;
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) ? version.dwMajorVersion : 0;
}

} // namespace

namespace TaskbarTheme {

bool IsDark() {
    if (MajorVersion() < kFirstDarkCapableMajor) return false;
    DWORD light = 1;
    DWORD size = sizeof(light);
    // RRF_RT_REG_DWORD refuses every other type; a REG_DWORD of fewer than four bytes is read
    // without complaint (Wine), half over the default, so the size is checked as well.
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &light, &size) != ERROR_SUCCESS)
        return false;
    return size == sizeof(light) && light == 0;
}

bool IsChangeNotice(LPARAM lParam) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    if (!text) return false;
    size_t length = wcsnlen(text, kLongestNotice);
    return length == wcslen(kChangeNotice) && _wcsicmp(text, kChangeNotice) == 0;
}

} // namespace TaskbarTheme
