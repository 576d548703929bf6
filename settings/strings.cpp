// The string loader: string-table blocks are looked up by language and walked by hand, so a
// text missing from a translation comes from the neutral (English) table instead.
#include "settings/strings.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr WORD kNeutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr UINT kStringsPerBlock = 16;
// String ids are 16-bit numbers; a larger id would wrap onto another block's strings.
constexpr UINT kLargestStringId = 0xFFFF;
constexpr int kResStringCapacity = 256;
constexpr int kLanguageNameCapacity = 128;
// The block of ids 1120 to 1135, which holds every table's own language name.
constexpr WORD kLanguageNameBlock = kLanguageNameStringId / kStringsPerBlock + 1;

// One string-table block as loaded: 16 entries, each a count of UTF-16 units followed by
// that many units (no NUL); an absent string has count 0.
struct StringBlock {
    const WCHAR* units = nullptr;
    size_t length = 0;
};

bool FindBlock(HINSTANCE module, WORD block, WORD language, StringBlock& out) {
    HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    out.units = static_cast<const WCHAR*>(data);
    out.length = SizeofResource(module, found) / sizeof(WCHAR);
    return true;
}

// The entry at `index`, or false when it is empty. A count that runs past the end of the
// resource (a damaged module) ends the walk rather than reading beyond it.
bool FindEntry(const StringBlock& block, UINT index, const WCHAR*& text, size_t& count) {
    size_t pos = 0;
    for (UINT entry = 0; entry < kStringsPerBlock && pos < block.length; ++entry) {
        size_t entryCount = block.units[pos++];
        if (entryCount > block.length - pos) return false;
        if (entryCount == 0) continue;
        if (entry == index) {
            text = block.units + pos;
            count = entryCount;
            return true;
        }
        pos += entryCount;
    }
    return false;
}

bool FindString(HINSTANCE module, UINT id, WORD language, const WCHAR*& text, size_t& count) {
    StringBlock block;
    WORD number = static_cast<WORD>(id / kStringsPerBlock + 1);
    return FindBlock(module, number, language, block) && FindEntry(block, id % kStringsPerBlock, text, count);
}

} // namespace

bool LoadStringEx(HINSTANCE module, UINT id, wchar_t* buffer, int capacity, WORD language) {
    if (!buffer || capacity <= 0) return false;
    buffer[0] = 0;
    if (id > kLargestStringId) return false;
    const WCHAR* text = nullptr;
    size_t count = 0;
    if (!FindString(module, id, language, text, count) &&
        !(language != kNeutralLanguage && FindString(module, id, kNeutralLanguage, text, count)))
        return false;
    size_t copied = std::min(count, static_cast<size_t>(capacity - 1));
    std::wmemcpy(buffer, text, copied);
    buffer[copied] = 0;
    return buffer[0] != 0;
}

std::wstring LoadResString(HINSTANCE module, UINT id, WORD language) {
    wchar_t buffer[kResStringCapacity];
    LoadStringEx(module, id, buffer, kResStringCapacity, language);
    return buffer;
}

BOOL CALLBACK EnumResLangProc(HMODULE module, LPCWSTR, LPCWSTR, WORD language, LONG_PTR collection) {
    wchar_t name[kLanguageNameCapacity];
    LoadStringEx(module, kLanguageNameStringId, name, kLanguageNameCapacity, language);
    // A second language of the same name is not added: the list shows names, not ids.
    reinterpret_cast<LanguageCollection*>(collection)->emplace(name, language);
    return TRUE;
}

LanguageList EnumLanguages(HINSTANCE module) {
    LanguageCollection collection;
    EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(kLanguageNameBlock), &EnumResLangProc,
                           reinterpret_cast<LONG_PTR>(&collection));
    return LanguageList(collection.begin(), collection.end());
}
