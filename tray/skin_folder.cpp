// Locating skin folders beside the component.
#include "tray/skin_folder.h"

#include <vector>

namespace {
constexpr DWORD kFirstBufferLength = MAX_PATH;
constexpr DWORD kLongestPath = 32768;
} // namespace

std::wstring ModulePath(HMODULE module) {
    // A path longer than the buffer comes back cut (and the length equal to the buffer's),
    // so the buffer grows until the whole path fits.
    for (DWORD size = kFirstBufferLength; size <= kLongestPath; size *= 2) {
        std::vector<wchar_t> buffer(size);
        DWORD length = GetModuleFileNameW(module, buffer.data(), size);
        if (length == 0) return std::wstring();
        if (length < size) return std::wstring(buffer.data(), length);
    }
    return std::wstring();
}

std::wstring SkinFolder(HMODULE module, const std::wstring& skinName) {
    if (skinName.empty()) return std::wstring();
    std::wstring modulePath = ModulePath(module);
    size_t lastSlash = modulePath.rfind(L'\\');
    // Without the module's own directory the folder would be relative to whatever the current
    // directory is; the built-in images are used instead.
    if (lastSlash == std::wstring::npos) return std::wstring();
    return modulePath.substr(0, lastSlash + 1) + L"Trelvane\\" + skinName + L"\\";
}
