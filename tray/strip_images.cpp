// The strip's images (built in or from a skin folder) and the set-up of its two records.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include "tray/icon_identity.h"
#include "tray/tray_flags.h"

std::wstring NotifyIcons::IconFile(const std::wstring& folder, int index) {
    const wchar_t* name = StripImage::Name(index);
    if (folder.empty()) return folder;
    if (!name) return std::wstring();
    std::wstring path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + name + L".ico";
}

void NotifyIcons::InitIcons(HWND window, HINSTANCE instance, const std::wstring& skinFolder) {
    uCallStackTracker tracker("NotifyIcons::InitIcons(HWND, HINSTANCE, const wstring &)");
    hWnd = window;
    hInstance = instance;
    iconsWithdrawn = false;
    // The empty planes come from the module: a new one needs new planes.
    canvas.Release();
    const int builtInBase = isWin7 ? StripImage::kAlphaBase : StripImage::kClassicBase;
    // Each skin file falls back on its own built-in image; replacing a record releases the
    // contexts and bitmaps of an earlier call.
    for (int i = 0; i < kImageCount; ++i)
        images[i] = LoadStripImage(instance, IconFile(skinFolder, i), builtInBase + i);
    FillIconRecord(0);
    FillIconRecord(1);
    // The next refresh must draw even though nothing changed.
    drawnPlayMode = playMode != Playing ? Playing : Stopped;
    Refresh();
}

// Identity and routing of one record. Its icon handle and texts stay as they are, so that a
// second call (a new skin) keeps the tooltip and the icon until the next redraw replaces it.
void NotifyIcons::FillIconRecord(int icon) {
    NOTIFYICONDATAW& record = icons[icon];
    record.cbSize = TrayFlags::kRecordSize;
    record.hWnd = hWnd;
    record.uID = kIconId[icon];
    record.uFlags = tooltipEnabled ? TrayFlags::kIconWithTip : TrayFlags::kIcon;
    record.uCallbackMessage = kCallbackMessage;
    record.guidItem = IconIdentity::OfIcon(icon);
}
