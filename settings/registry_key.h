#pragma once
// Opening a registry key into its owner, and the raw reading of one of its values.
#include "base/system_handles.h"

#include <windows.h>
#include <vector>

// Opened for reading values unless told otherwise; an empty owner when it cannot be opened.
UniqueRegistryKey OpenRegistryKey(HKEY root, const wchar_t* path, REGSAM access = KEY_QUERY_VALUE);

// A value as the registry holds it: its type and its bytes, however many there are.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// False when the value does not exist or cannot be read.
bool ReadRegistryValue(HKEY key, const wchar_t* name, RegistryValue& out);
