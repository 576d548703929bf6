#include "shared.h"

#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<const char*>& scopes() {
    thread_local std::vector<const char*> open_scopes;
    return open_scopes;
}

std::wstring& report_path_override() {
    static std::wstring path;
    return path;
}

std::wstring report_path() {
    if (!report_path_override().empty()) return report_path_override();
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"FB2K_CRASH_REPORT", buffer, ARRAYSIZE(buffer));
    if (n > 0 && n < ARRAYSIZE(buffer)) return buffer;
    n = GetTempPathW(ARRAYSIZE(buffer), buffer);
    std::wstring path = (n > 0 && n < ARRAYSIZE(buffer)) ? std::wstring(buffer, n) : std::wstring(L".\\");
    return path + L"fb2k-crash-report.txt";
}

std::string build_report() {
    std::string text = "Bug check: the component reported an internal error.\r\nOpen scopes, innermost first:\r\n";
    const std::vector<const char*>& open = scopes();
    if (open.empty()) text += "  (none)\r\n";
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        text += "  ";
        text += *it ? *it : "(null)";
        text += "\r\n";
    }
    return text;
}

void write_report(const std::string& text) {
    HANDLE file = CreateFileW(report_path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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

uCallStackTracker::uCallStackTracker(const char* name) : m_depth(scopes().size()) {
    scopes().push_back(name);
}

uCallStackTracker::~uCallStackTracker() {
    // Restores the depth seen at construction, so an inner scope that was skipped
    // cannot leave the stack out of step.
    std::vector<const char*>& open = scopes();
    if (open.size() > m_depth) open.resize(m_depth);
}

extern "C" {

void uBugCheck() {
    write_report(build_report());
    TerminateProcess(GetCurrentProcess(), TRELVANE_BUGCHECK_EXIT_CODE);
    ExitProcess(TRELVANE_BUGCHECK_EXIT_CODE);  // not reached; TerminateProcess does not return
}

std::size_t uCallStackTracker_GetDepth() { return scopes().size(); }

const char* uCallStackTracker_GetScope(std::size_t index_from_innermost) {
    const std::vector<const char*>& open = scopes();
    if (index_from_innermost >= open.size()) return nullptr;
    return open[open.size() - 1 - index_from_innermost];
}

void uBugCheck_SetReportPath(const wchar_t* path) { report_path_override() = path ? path : L""; }

} // extern "C"
