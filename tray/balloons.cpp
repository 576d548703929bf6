// Balloons of icon 0 and the hover tooltip of both icons, and the tooltip kept out of the
// card's way.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include "base/bounded_copy.h"
#include "tray/tray_flags.h"

#include <cwchar>

bool NotifyIcons::tooltipEnabled = false;

namespace {

constexpr size_t kTooltipMinLength = 5;

// The tooltip's text while the card hides it; process-wide, like the records' tooltip flags.
std::wstring g_keptTip;
bool g_tipHidden = false;

// The shell would otherwise take a single ampersand as a prefix marker. Text that already
// holds "&&&" has been through here and is left alone.
std::wstring EscapeAmpersands(const std::wstring& text) {
    if (text.find(L"&&&") != std::wstring::npos) return text;
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'&') escaped += L"&&";
        escaped += c;
    }
    return escaped;
}

} // namespace

void NotifyIcons::ShowBalloon(const wchar_t* text, const wchar_t* title, UINT timeout) {
    uCallStackTracker tracker("NotifyIcons::ShowBalloon(const wchar_t*, const wchar_t*, UINT)");
    if (!text) text = L"";
    // A new balloon replaces the old one instead of queueing behind it.
    if (*text) HideBalloon();
    NOTIFYICONDATAW& record = icons[0];
    CopyBounded(record.szInfo, text);
    CopyBounded(record.szInfoTitle, title);
    record.uTimeout = isWin7 ? timeout : 10;
    record.dwInfoFlags = TrayFlags::kBalloonInfo;
    UINT flags = record.uFlags;
    record.uFlags = TrayFlags::kBalloon;
    ModifyIcons();
    record.uFlags = flags;
}

void NotifyIcons::HideBalloon() {
    uCallStackTracker tracker("NotifyIcons::HideBalloon()");
    ShowBalloon(L"", L"", 0);
}

void NotifyIcons::EnableToolTip(bool on) {
    if (on == tooltipEnabled) return;
    uCallStackTracker tracker("NotifyIcons::EnableToolTip(bool)");
    for (NOTIFYICONDATAW& record : icons) record.uFlags = on ? TrayFlags::kIconWithTip : TrayFlags::kIcon;
    ModifyIcons();
    tooltipEnabled = on;
}

void NotifyIcons::SetTipText(const std::wstring& text) {
    uCallStackTracker tracker("NotifyIcons::SetTipText(const wstring &)");
    std::wstring tip = EscapeAmpersands(text);
    CopyBounded(icons[0].szTip, tip.c_str());
    CopyBounded(icons[1].szTip, tip.c_str());
    EnableToolTip(wcslen(icons[0].szTip) >= kTooltipMinLength);
    ModifyIcons();
}

// Without NIF_TIP the shell keeps showing the old text, so an empty text is sent with it.
void NotifyIcons::HideShellTip(bool hidden) {
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
