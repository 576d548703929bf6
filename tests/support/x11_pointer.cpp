#include "tests/support/x11_pointer.h"

#include <windows.h>

namespace {
// Wine's ntdll starts Unix programs for its own tools this way.
typedef LONG(CDECL* UnixSpawn)(char* const argv[], int wait);
} // namespace

bool StartXdotool(const std::vector<std::string>& arguments) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    UnixSpawn spawn =
        ntdll ? reinterpret_cast<UnixSpawn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")))
              : nullptr;
    if (!spawn) return false;
    std::vector<std::string> words = {"xdotool"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    return spawn(argv.data(), 0) == 0;
}
