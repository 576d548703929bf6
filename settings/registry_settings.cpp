#include "settings/registry_settings.h"

#include <windows.h>

const wchar_t* const kImportKeyPath = L"Software\\Morvalen\\Foobar2000 Trelvane";
const wchar_t* const kLiveKeyPath = L"Software\\Morvalen\\Trelvane";

namespace {

class RegistryKey {
public:
    RegistryKey(HKEY root, const wchar_t* path) {
        if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS) m_key = nullptr;
    }
    ~RegistryKey() { if (m_key) RegCloseKey(m_key); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
private:
    HKEY m_key = nullptr;
};

// Reads a 32-bit value whatever its registry type; anything that does not fit leaves the default.
int ReadInt(const wchar_t* path, const wchar_t* name, int defaultValue) {
    RegistryKey key(HKEY_CURRENT_USER, path);
    if (!key) return defaultValue;
    DWORD value = static_cast<DWORD>(defaultValue);
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return defaultValue;
    return static_cast<int>(value);
}

} // namespace

int GetKeyInt(const wchar_t* name, int defaultValue) { return ReadInt(kImportKeyPath, name, defaultValue); }

int GetPlayerKeyInt(const wchar_t* name) { return ReadInt(kLiveKeyPath, name, 0); }

int GetPlayerKeyInt(const wchar_t* name, int defaultValue) { return ReadInt(kLiveKeyPath, name, defaultValue); }
