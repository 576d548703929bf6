#include "settings/registry_key.h"

UniqueRegistryKey OpenRegistryKey(HKEY root, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, access, &key) != ERROR_SUCCESS) return UniqueRegistryKey();
    return UniqueRegistryKey(key);
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
