// The tray popup menu on a right click (at the pointer) or the menu key (at the icon): shown
// modally, its choice carried out here rather than posted, since the menu returns the command.
#include "controller/Trelvane.h"

#include "controller/tray_menu_commands.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"

namespace {

constexpr UINT kSeekSliderItem = ID_TRAY_SEEK_SLIDER;
constexpr UINT kVolumeSliderItem = ID_TRAY_VOLUME_SLIDER;
// Left-aligned at the point, above it (the tray sits at the bottom), returning the choice
// instead of sending it.
constexpr UINT kTrackFlags = TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_NONOTIFY | TPM_RETURNCMD;

void CheckSliderMode(HMENU menu, bool volume) {
    CheckMenuItem(menu, kVolumeSliderItem, MF_BYCOMMAND | (volume ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kSeekSliderItem, MF_BYCOMMAND | (volume ? MF_UNCHECKED : MF_CHECKED));
}

} // namespace

void Trelvane::onRightClick() {
    uCallStackTracker tracker("Trelvane::onRightClick()");
    const POINT at = MenuPoint();
    CheckSliderMode(TrayMenu(), static_cast<bool>(cfg::VolumeSlider));
    // A menu whose owner is not in the foreground does not close when the user clicks
    // elsewhere; the owner is the message window, which also draws the title band.
    SetForegroundWindow(MessageWindow());
    UINT command = static_cast<UINT>(TrackPopupMenu(TrayMenu(), kTrackFlags, at.x, at.y, 0, MessageWindow(), nullptr));
    // Lets the foreground switch finish, so that the next right click opens the menu again.
    PostMessageW(MessageWindow(), WM_NULL, 0, 0);
    RunTrayMenuCommand(*this, command);
}
