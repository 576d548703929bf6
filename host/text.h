#pragma once
#include <string>

namespace fb2k_host {
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
} // namespace fb2k_host
