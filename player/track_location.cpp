#include "player/track_location.h"

#include "base/text_convert.h"
#include <windows.h>
#include <cstring>
#include <vector>

namespace {

const char* const kFilePrefix = "file://";
const char* const kRelativeFilePrefix = "file-relative://";

bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// The folder of the player's executable, with a trailing separator; empty when unknown.
std::wstring PlayerFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::wstring();
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            size_t slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
        }
        if (buffer.size() >= 32768) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

// Resolves "." and ".." of a path joined to the player's folder.
std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> buffer(n);
    DWORD written = GetFullPathNameW(path.c_str(), n, buffer.data(), nullptr);
    return (written > 0 && written < n) ? std::wstring(buffer.data(), written) : std::wstring();
}

} // namespace

std::wstring LocalFileOfLocation(const char* location) {
    if (!location) return std::wstring();
    if (StartsWith(location, kFilePrefix)) return String8ToWide(location + std::strlen(kFilePrefix));
    if (!StartsWith(location, kRelativeFilePrefix)) return std::wstring();
    std::wstring relative = String8ToWide(location + std::strlen(kRelativeFilePrefix));
    std::wstring folder = PlayerFolder();
    if (relative.empty() || folder.empty()) return std::wstring();
    return FullPath(folder + relative);
}
