#pragma once
// Writing test values into the registry of the tests' Wine prefix, through owned keys.
#include "base/system_handles.h"

#include <windows.h>

// The key, created when missing; an empty owner when it cannot be.
UniqueRegistryKey CreateRegistryKey(HKEY root, const wchar_t* path, REGSAM access = KEY_SET_VALUE);
// One value written under root\path, the key created when missing. False when it failed.
bool WriteRegistryValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size);
