#pragma once
// An open registry key, closed when its owner goes away, and the raw reading of one of
// its values.
#include <windows.h>
#include <vector>

class RegistryKey {
public:
    // Opened for reading values unless told otherwise; false when it cannot be opened.
    RegistryKey(HKEY root, const wchar_t* path, REGSAM access = KEY_QUERY_VALUE);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

private:
    HKEY m_key = nullptr;
};

// A value as the registry holds it: its type and its bytes, however many there are.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// False when the value does not exist or cannot be read.
bool ReadRegistryValue(HKEY key, const wchar_t* name, RegistryValue& out);
