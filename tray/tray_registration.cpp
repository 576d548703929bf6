// Handing the two icons to the shell: modify, and add again when the shell has lost them.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include "tray/tray_flags.h"

void NotifyIcons::ModifyIcons() {
    uCallStackTracker tracker("NotifyIcons::ModifyIcons()");
    // The first icon of the add order first; a failure means the shell no longer has them.
    NOTIFYICONDATAW& first = icons[addReversed ? 1 : 0];
    NOTIFYICONDATAW& second = icons[addReversed ? 0 : 1];
    bool modified = Shell_NotifyIconW(NIM_MODIFY, &first) && Shell_NotifyIconW(NIM_MODIFY, &second);
    if (!modified) AddIconsToTray();
}

void NotifyIcons::AddIconsToTray() {
    uCallStackTracker tracker("NotifyIcons::AddIconsToTray()");
    // After the player's quit, a late refresh or balloon must not bring the icons back.
    if (iconsWithdrawn) return;
    // Earlier systems put a new icon to the left, so icon 1 goes first to end up on the right.
    const int order[2] = {addReversed ? 1 : 0, addReversed ? 0 : 1};
    for (int icon : order) {
        // An icon is always added with its picture and callback, and with its tooltip while
        // that is on, also when the modify that failed was the balloon's (which carries only
        // the balloon's flags).
        NOTIFYICONDATAW added = icons[icon];
        if (!(added.uFlags & NIF_ICON) && tooltipEnabled) added.uFlags |= NIF_TIP;
        added.uFlags |= TrayFlags::kIcon;
        Shell_NotifyIconW(NIM_ADD, &added);
    }
    for (NOTIFYICONDATAW& record : icons) {
        record.uVersion = NOTIFYICON_VERSION;
        Shell_NotifyIconW(NIM_SETVERSION, &record);
    }
    // Icons added anew may stand elsewhere, in either order: learnt again from the shell where
    // it says (then drawn for that order at once), else from the pointer's next visit.
    placement.Forget();
    if (LearnOrderFromShell()) Refresh();
}
