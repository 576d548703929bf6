#include "settings/registry_key.h"

RegistryKey::RegistryKey(HKEY root, const wchar_t* path, REGSAM access) {
    if (RegOpenKeyExW(root, path, 0, access, &m_key) != ERROR_SUCCESS) m_key = nullptr;
}

RegistryKey::~RegistryKey() {
    if (m_key) RegCloseKey(m_key);
}

bool ReadRegistryValue(HKEY key, const wchar_t* name, RegistryValue& out) {
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &out.type, nullptr, &size) != ERROR_SUCCESS) return false;
    // The value may grow between asking for its size and reading it; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        out.bytes.resize(size);
        LONG result = RegQueryValueExW(key, name, nullptr, &out.type, size ? out.bytes.data() : nullptr, &size);
        if (result == ERROR_SUCCESS) {
            out.bytes.resize(size);
            return true;
        }
        if (result != ERROR_MORE_DATA) return false;
    }
    return false;
}
