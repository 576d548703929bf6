#pragma once
// Localised strings: string-table lookups by language with fallback to the neutral table,
// translation of numbered menu items, and the list of languages present.
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

bool LoadStringEx(HINSTANCE module, UINT id, wchar_t* buffer, int capacity, WORD language);
std::wstring LoadResString(HINSTANCE module, UINT id, WORD language);
std::wstring GetMenuString(HMENU menu, int position);
void SetMenuString(HINSTANCE module, HMENU menu, int position, WORD language);

typedef std::vector<std::pair<std::wstring, WORD>> LanguageList;
LanguageList EnumLanguages(HINSTANCE module);
BOOL CALLBACK EnumResLangProc(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR collection);
