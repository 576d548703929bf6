#pragma once
// Localised strings: string-table lookups by language with fallback to the neutral table,
// translation of numbered menu items, and the list of languages present.
#include "resources/resource.h"

#include <windows.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Fills `buffer` (NUL-terminated, cut to capacity - 1 units) with string `id` in `language`,
// or in the neutral table when that language lacks it; true when the text is not empty.
bool LoadStringEx(HINSTANCE module, UINT id, wchar_t* buffer, int capacity, WORD language);
// The string through a 256-unit buffer; empty when no table has it.
std::wstring LoadResString(HINSTANCE module, UINT id, WORD language);
// The leading decimal digits of a text as a number: the string id that a menu item's or a
// dialog control's resource text stands for. 0 when the text does not start with a digit or
// the number is too large for a string id.
UINT LeadingNumber(const wchar_t* text);
// The text of the item at `position`, at most 254 characters.
std::wstring GetMenuString(HMENU menu, int position);
// Replaces the text of the item at `position`, a string id in the menu resource, by that
// string in `language`; the id is remembered, so the item can be translated again later.
void SetMenuString(HINSTANCE module, HMENU menu, int position, WORD language);

// The languages present, as (own name, LANGID), ordered by name.
typedef std::vector<std::pair<std::wstring, WORD>> LanguageList;
LanguageList EnumLanguages(HINSTANCE module);
// What EnumResLangProc fills through its `collection` argument: LANGID by own name, one per name.
typedef std::map<std::wstring, WORD> LanguageCollection;
BOOL CALLBACK EnumResLangProc(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR collection);

// String ids used outside their own module part.
constexpr UINT kLanguageNameStringId = IDS_LANGUAGE_NAME;
