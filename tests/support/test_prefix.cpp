#include "tests/support/test_prefix.h"

#include <windows.h>
#include <cstdio>
#include <string>

namespace {

// The file tools/wine-env.sh writes into the prefix it keeps inside the build tree.
const wchar_t* const kMarkerName = L"trelvane-test-prefix";

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// A Unix path as Wine's drive Z: (the whole Unix file system) shows it.
std::wstring OnDriveZ(std::wstring unixPath) {
    for (wchar_t& c : unixPath)
        if (c == L'/') c = L'\\';
    return L"Z:" + unixPath;
}

} // namespace

bool InsideTestPrefix(const char*& why) {
    if (!RunningUnderWine()) {
        why = "not running under Wine";
        return false;
    }
    const std::wstring prefix = Environment(L"WINEPREFIX");
    if (prefix.empty() || prefix[0] != L'/') {
        why = "WINEPREFIX does not name the tests' prefix";
        return false;
    }
    if (GetFileAttributesW((OnDriveZ(prefix) + L"\\" + kMarkerName).c_str()) == INVALID_FILE_ATTRIBUTES) {
        why = "the Wine prefix is not the tests' own (it has no trelvane-test-prefix marker)";
        return false;
    }
    why = "";
    return true;
}

bool RefuseOutsideTestPrefix(const char* program) {
    const char* why = "";
    if (InsideTestPrefix(why)) return false;
    std::fprintf(stderr,
                 "%s refuses to run: %s. The tests write and delete registry keys and files of the user they run "
                 "as; run them through make test or tools/with-wine-session.sh, which use the prefix inside the "
                 "build tree.\n",
                 program, why);
    return true;
}
