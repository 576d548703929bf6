// The strip's side of the card: the pointer passed on to it, and the shell's tooltip kept out of
// its way.
#include "controller/Trelvane.h"

#include "base/bounded_copy.h"
#include "controller/strip_card.h"
#include "tray/tray_flags.h"

#include <cwchar>

namespace {
// The tooltip's text while the card hides it.
std::wstring g_keptTip;
bool g_tipHidden = false;
} // namespace

void Trelvane::onStripPointer(UINT message, const StripPointer& pointer) {
    StripHover hover;
    hover.message = message;
    hover.area = toolbarRect;
    hover.onTray = pointer.onTray;
    hover.target = pointer.onTray ? ButtonByPos(pointer.strip) : TrayButton::None;
    hover.step = pointer.sliderStep;
    hover.range = sliderRange;
    hover.dragging = dragging;
    StripCard::Instance().OnPointer(hover);
}

// Without NIF_TIP the shell keeps showing the old text, so an empty text is sent with it.
void Trelvane::HideShellTip(bool hidden) {
    if (!hidden) {
        if (!g_tipHidden) return;
        g_tipHidden = false;
        // The text goes back as it was (already escaped); the shell hears of it only where the
        // strip shows its tooltip now, since during a hover the strip keeps it off.
        for (NOTIFYICONDATAW& record : icons) CopyBounded(record.szTip, g_keptTip.c_str());
        if (tooltipEnabled) ModifyIcons();
        return;
    }
    const std::wstring current(icons[0].szTip, wcsnlen(icons[0].szTip, ARRAYSIZE(icons[0].szTip)));
    // Hidden already, and no new title has arrived since.
    if (g_tipHidden && current.empty()) return;
    g_keptTip = current;
    g_tipHidden = true;
    UINT flags[2] = {icons[0].uFlags, icons[1].uFlags};
    for (NOTIFYICONDATAW& record : icons) {
        record.szTip[0] = L'\0';
        record.uFlags = TrayFlags::kIconWithTip;
    }
    ModifyIcons();
    icons[0].uFlags = flags[0];
    icons[1].uFlags = flags[1];
}
