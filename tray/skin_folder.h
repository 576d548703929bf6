#pragma once
// Where a skin's icon files live: a folder named after the skin inside a folder "Trelvane"
// beside the component's module file.
#include <windows.h>
#include <string>

// "<module directory>\Trelvane\<skinName>\". Empty (the built-in images) when skinName is
// empty or the module's path cannot be had.
std::wstring SkinFolder(HMODULE module, const std::wstring& skinName);

// The full path of a module, however long; empty on failure.
std::wstring ModulePath(HMODULE module);
