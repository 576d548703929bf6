// Balloons of icon 0 and the hover tooltip of both icons.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include "base/bounded_copy.h"
#include "tray/tray_flags.h"

bool NotifyIcons::tooltipEnabled = false;

namespace {

constexpr size_t kTooltipMinLength = 5;

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
