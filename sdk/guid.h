#pragma once
// GUID helpers shared by the player and its components.
#include <windows.h>
#include <cstring>

inline bool operator<(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }

namespace pfc {
inline bool guid_equal(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
} // namespace pfc
