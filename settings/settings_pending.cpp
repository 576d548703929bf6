// Placeholders until the string tables and the registry import land; replaced, not extended.
#include "settings/registry_settings.h"
#include "settings/strings.h"

std::wstring GetKeyStr(const wchar_t*, const std::wstring& defaultValue) { return defaultValue; }
void LoadConfig() {}
std::wstring DEFBALLOONFORMAT() { return std::wstring(); }
void ReplaceDefaultBalloonFormatMarker() {}

bool LoadStringEx(HINSTANCE, UINT, wchar_t* buffer, int capacity, WORD) {
    if (capacity > 0) buffer[0] = 0;
    return false;
}
std::wstring LoadResString(HINSTANCE, UINT, WORD) { return std::wstring(); }
std::wstring GetMenuString(HMENU, int) { return std::wstring(); }
void SetMenuString(HINSTANCE, HMENU, int, WORD) {}
LanguageList EnumLanguages(HINSTANCE) { return LanguageList(); }
BOOL CALLBACK EnumResLangProc(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR) { return TRUE; }
