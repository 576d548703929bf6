#pragma once
// What the strip's notification records carry, by state.
#include <windows.h>
#include <shellapi.h>

namespace TrayFlags {
// An icon with its picture, its callback message and its identity GUID.
constexpr UINT kIcon = NIF_MESSAGE | NIF_ICON | NIF_GUID; // 0x23
// The same with the hover tooltip.
constexpr UINT kIconWithTip = kIcon | NIF_TIP; // 0x27
// Icon 0 during the one modify that shows or hides a balloon.
constexpr UINT kBalloon = NIF_INFO | NIF_GUID; // 0x30
// Balloon: information icon, no sound.
constexpr DWORD kBalloonInfo = NIIF_INFO | NIIF_NOSOUND; // 0x11
// Record size sent to the shell: the version-3 layout (952 bytes on a 32-bit build).
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;
} // namespace TrayFlags
