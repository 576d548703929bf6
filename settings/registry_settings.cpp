// Values of the two registry keys: the older settings key imported once at start-up and the
// key of live switches. Registry values can be of any type and size, whoever wrote them; a
// value that does not hold what is asked for counts as missing and leaves the default.
#include "settings/registry_settings.h"

#include "settings/registry_key.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwctype>

const wchar_t* const kImportKeyPath = L"Software\\Morvalen\\Foobar2000 Trelvane";
const wchar_t* const kLiveKeyPath = L"Software\\Morvalen\\Trelvane";

namespace {

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

bool IsNumberType(DWORD type) { return type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN || type == REG_QWORD; }

// The UTF-16 text in the bytes, up to the first NUL or the end of the data. The stored text
// need not end with a NUL, and a stray odd byte at the end is no part of any character.
std::wstring TextOf(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
    size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

// A whole decimal number in 32 bits, surrounding blanks allowed; false for anything else.
bool ParseInt(const std::wstring& text, int& out) {
    const wchar_t* begin = text.c_str();
    while (std::iswspace(*begin)) ++begin;
    if (*begin == 0) return false;
    wchar_t* end = nullptr;
    errno = 0;
    long long value = std::wcstoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
    while (std::iswspace(*end)) ++end;
    if (*end != 0) return false;
    out = static_cast<int>(value);
    return true;
}

// A number is four bytes of any type but text; text counts when it spells a number ("0" is
// false, not the character code of the digit).
bool IntOf(const RegistryValue& value, int& out) {
    if (IsTextType(value.type)) return ParseInt(TextOf(value.bytes), out);
    if (value.bytes.size() != sizeof(DWORD)) return false;
    DWORD number = 0;
    std::memcpy(&number, value.bytes.data(), sizeof(number));
    out = static_cast<int>(number);
    return true;
}

int ReadInt(const wchar_t* path, const wchar_t* name, int defaultValue) {
    UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, path);
    if (!key) return defaultValue;
    RegistryValue value;
    int result = defaultValue;
    if (ReadRegistryValue(key.get(), name, value) && IntOf(value, result)) return result;
    return defaultValue;
}

} // namespace

int GetKeyInt(const wchar_t* name, int defaultValue) { return ReadInt(kImportKeyPath, name, defaultValue); }

int GetPlayerKeyInt(const wchar_t* name) { return ReadInt(kLiveKeyPath, name, 0); }

int GetPlayerKeyInt(const wchar_t* name, int defaultValue) { return ReadInt(kLiveKeyPath, name, defaultValue); }

std::wstring GetKeyStr(const wchar_t* name, const std::wstring& defaultValue) {
    UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kImportKeyPath);
    if (!key) return defaultValue;
    RegistryValue value;
    if (!ReadRegistryValue(key.get(), name, value)) return defaultValue;
    // A value of one byte or less is an empty text, whatever its type.
    if (value.bytes.size() <= 1) return std::wstring();
    // A number is no text: its bytes would turn into stray characters.
    if (IsNumberType(value.type)) return defaultValue;
    return TextOf(value.bytes);
}
