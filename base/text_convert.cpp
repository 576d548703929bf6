#include "base/text_convert.h"

#include "sdk/shared/shared.h"
#include <windows.h>

std::string WideToString8(const std::wstring& text) {
    uCallStackTracker tracker("WideToString8()");
    if (text.empty()) return std::string();
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring String8ToWide(const std::string& text) {
    uCallStackTracker tracker("String8ToWide()");
    if (text.empty()) return std::wstring();
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
    size_t nul = out.find(L'\0');
    if (nul != std::wstring::npos) out.resize(nul);
    return out;
}

std::wstring String8ToWide(const char* text) { return String8ToWide(std::string(text ? text : "")); }
