#pragma once
// The identity GUIDs of the two tray icons. Windows 7 and later remember where the user put
// an icon by its GUID, so the GUID must be the same at every run of the same player.
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <string>

namespace IconIdentity {

constexpr unsigned short kIconIdentityId[2] = {0x800E, 0x800F};

// The 32-bit hash of UTF-16 text: every unit fed low byte first.
uint32_t Hash(const wchar_t* text, size_t length);

// The GUID of one icon for an executable path: Data1 the hash of the path with A to Z
// lowered, Data2 the icon's identity id, fixed Data3 and Data4.
GUID ForPath(const std::wstring& executablePath, unsigned short id);

// The GUIDs of icon 0 and icon 1 for this process, computed when the library loads: from the
// host executable's path on Windows 7 and later, all zeros before.
const GUID& OfIcon(int icon);

} // namespace IconIdentity
