#pragma once
// Conversions between the UTF-16 text that Windows shows and the UTF-8 text of the
// player's interfaces and settings.
#include <string>

// Converts the whole text, embedded NUL characters included.
std::string WideToString8(const std::wstring& text);
// Converts the text and ends the result at its first NUL character.
std::wstring String8ToWide(const std::string& text);
std::wstring String8ToWide(const char* text);
