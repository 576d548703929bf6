// The stand-in for the player's shared.dll: the call-stack tracker and the fatal bug check,
// exported under the player's names (shared-dll-x64.def / shared-dll-x86.def).
#include "shared.h"

#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The player keeps at most this many characters of a thread's path.
constexpr std::size_t kMaxPathLength = 1023;

struct ThreadPath {
    char text[kMaxPathLength + 1] = {};
    std::size_t length = 0;
};

ThreadPath& CurrentPath() {
    thread_local ThreadPath path;
    return path;
}

void Append(ThreadPath& path, const char* text) {
    for (; text && *text && path.length < kMaxPathLength; ++text) path.text[path.length++] = *text;
    path.text[path.length] = 0;
}

std::wstring ReportPath() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"FB2K_CRASH_REPORT", buffer, ARRAYSIZE(buffer));
    if (n > 0 && n < ARRAYSIZE(buffer)) return buffer;
    n = GetTempPathW(ARRAYSIZE(buffer), buffer);
    std::wstring folder = (n > 0 && n < ARRAYSIZE(buffer)) ? std::wstring(buffer, n) : std::wstring(L".\\");
    return folder + L"fb2k-crash-report.txt";
}

void WriteReport(const std::string& text) {
    HANDLE file =
        CreateFileW(ReportPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
    OutputDebugStringA(text.c_str());
}

} // namespace

uCallStackTracker::uCallStackTracker(const char* name) {
    ThreadPath& path = CurrentPath();
    m_previous_length = path.length;
    if (path.length) Append(path, "=>");
    Append(path, name);
}

uCallStackTracker::~uCallStackTracker() {
    ThreadPath& path = CurrentPath();
    if (m_previous_length < path.length) path.length = m_previous_length;
    path.text[path.length] = 0;
}

extern "C" {

const char* SHARED_C_CALL uGetCallStackPath() { return CurrentPath().text; }

void SHARED_C_CALL uBugCheck() {
    std::string report = "Bug check: the component reported an internal error.\r\nCall path: ";
    report += CurrentPath().text;
    report += "\r\n";
    WriteReport(report);
    TerminateProcess(GetCurrentProcess(), TRELVANE_BUGCHECK_EXIT_CODE);
    ExitProcess(TRELVANE_BUGCHECK_EXIT_CODE); // not reached; TerminateProcess does not return
}

} // extern "C"
