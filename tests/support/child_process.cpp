#include "tests/support/child_process.h"

#include "base/system_handles.h"

#include <windows.h>
#include <cstring>
#include <map>
#include <vector>

namespace {
std::map<std::string, ChildBody>& bodies() {
    static std::map<std::string, ChildBody> registered;
    return registered;
}
const char* const kChildFlag = "--run-child=";
// The file a child appends its report to, named by the parent in the child's environment.
const wchar_t* const kReportVariable = L"TRELVANE_CHILD_REPORT";

std::wstring NewReportFile() {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"chr", 0, path)) return L"";
    return path;
}

std::string ReadAndRemove(const std::wstring& path) {
    std::string text;
    UniqueKernelHandle file = OwnFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read) text.append(buffer, read);
    file.reset();
    DeleteFileW(path.c_str());
    return text;
}

// The parent's environment plus NAME=VALUE pairs separated by ';'.
std::vector<wchar_t> ChildEnvironment(const std::wstring& extra) {
    std::vector<wchar_t> environment;
    LPWCH block = GetEnvironmentStringsW();
    for (LPWCH p = block; *p; p += wcslen(p) + 1) environment.insert(environment.end(), p, p + wcslen(p) + 1);
    FreeEnvironmentStringsW(block);
    size_t start = 0;
    while (start < extra.size()) {
        size_t end = extra.find(L';', start);
        if (end == std::wstring::npos) end = extra.size();
        environment.insert(environment.end(), extra.begin() + start, extra.begin() + end);
        environment.push_back(0);
        start = end + 1;
    }
    environment.push_back(0);
    return environment;
}
} // namespace

void ChildReport(const std::string& line) {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(kReportVariable, path, MAX_PATH)) return;
    UniqueKernelHandle file = OwnFile(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr));
    if (!file) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool RegisterChildBody(const char* name, ChildBody body) {
    bodies()[name] = std::move(body);
    return true;
}

bool RunChildModeIfRequested(int argc, char** argv, int& exitCode) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kChildFlag, std::strlen(kChildFlag)) != 0) continue;
        auto it = bodies().find(argv[i] + std::strlen(kChildFlag));
        exitCode = it == bodies().end() ? 97 : it->second();
        return true;
    }
    return false;
}

ChildResult RunChild(const char* name, unsigned long timeoutMs, const std::wstring& extraEnvironment,
                     const wchar_t* desktop) {
    ChildResult result;
    wchar_t self[MAX_PATH * 2];
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --run-child=";
    for (const char* p = name; *p; ++p) command += static_cast<wchar_t>(*p);
    std::vector<wchar_t> mutableCommand(command.begin(), command.end());
    mutableCommand.push_back(0);

    const std::wstring reportFile = NewReportFile();
    std::wstring extra = extraEnvironment;
    if (!reportFile.empty()) extra += (extra.empty() ? L"" : L";") + std::wstring(kReportVariable) + L"=" + reportFile;
    std::vector<wchar_t> environment = ChildEnvironment(extra);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring desktopName = desktop ? desktop : L"";
    if (desktop) startup.lpDesktop = &desktopName[0];
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &process)) {
        if (!reportFile.empty()) DeleteFileW(reportFile.c_str());
        return result;
    }
    UniqueKernelHandle thread(process.hThread), child(process.hProcess);
    result.finished = WaitForSingleObject(child.get(), timeoutMs) == WAIT_OBJECT_0;
    if (!result.finished) TerminateProcess(child.get(), 99);
    GetExitCodeProcess(child.get(), &result.exitCode);
    if (!reportFile.empty()) result.report = ReadAndRemove(reportFile);
    return result;
}
