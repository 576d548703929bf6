#include "tests/support/child_process.h"

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
} // namespace

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

    // The parent's environment plus NAME=VALUE pairs separated by ';'.
    std::vector<wchar_t> environment;
    if (!extraEnvironment.empty()) {
        LPWCH block = GetEnvironmentStringsW();
        for (LPWCH p = block; *p; p += wcslen(p) + 1) environment.insert(environment.end(), p, p + wcslen(p) + 1);
        FreeEnvironmentStringsW(block);
        size_t start = 0;
        while (start < extraEnvironment.size()) {
            size_t end = extraEnvironment.find(L';', start);
            if (end == std::wstring::npos) end = extraEnvironment.size();
            environment.insert(environment.end(), extraEnvironment.begin() + start, extraEnvironment.begin() + end);
            environment.push_back(0);
            start = end + 1;
        }
        environment.push_back(0);
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring desktopName = desktop ? desktop : L"";
    if (desktop) startup.lpDesktop = &desktopName[0];
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(), nullptr, &startup, &process))
        return result;
    result.finished = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!result.finished) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
