// Counts the GDI and USER objects of a running process from inside it: Wine's GetGuiResources
// is a stub that answers 0, so gui_count.dll is loaded into the process (a thread of ours runs
// LoadLibraryW there), counts in its DllMain, writes "<gdi> <user> <windows> <menus>" to
// DLL_PATH.txt and refuses to stay loaded.
// Usage: gui_objects.exe EXE_NAME DLL_PATH. Prints the counts; exit code 0 when they were
// read, 1 without such a process, 2 when the thread could not run there.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

ULONGLONG CreationTime(DWORD pid) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (!process || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return ~0ULL;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The process of that name started first: a launcher that hands the player a command line
// (foobar2000.exe /next) may be about for a moment.
DWORD ProcessByName(const wchar_t* exeName) {
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    ULONGLONG foundCreated = ~0ULL;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName) != 0) continue;
        ULONGLONG created = CreationTime(entry.th32ProcessID);
        if (found == 0 || created < foundCreated) {
            found = entry.th32ProcessID;
            foundCreated = created;
        }
    }
    return found;
}

// LoadLibraryW(dllPath) on a thread of the process; kernel32 sits at the same address in every
// process of the session.
bool LoadInto(HANDLE process, const std::wstring& dllPath) {
    size_t bytes = (dllPath.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, dllPath.c_str(), bytes, nullptr)) return false;
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    Handle thread(CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr));
    bool finished = thread && WaitForSingleObject(thread.get(), 60000) == WAIT_OBJECT_0;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return finished;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    DWORD pid = ProcessByName(argv[1]);
    if (pid == 0) return 1;
    Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_VM_OPERATION | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, pid));
    std::wstring dllPath = argv[2];
    std::wstring resultPath = dllPath + L".txt";
    DeleteFileW(resultPath.c_str());
    if (!process || !LoadInto(process.get(), dllPath)) return 2;
    FILE* result = _wfopen(resultPath.c_str(), L"r");
    if (!result) return 2;
    char line[128] = {};
    bool read = std::fgets(line, sizeof line, result) != nullptr;
    std::fclose(result);
    if (!read) return 2;
    std::printf("%lu %s", pid, line);
    return 0;
}
