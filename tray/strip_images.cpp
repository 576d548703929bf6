// The strip's images (built in or from a skin folder) and the set-up of its two records.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"
#include "tray/icon_identity.h"
#include "tray/taskbar_theme.h"
#include "tray/tray_flags.h"

namespace {

constexpr int kSmallestIcon = 16;
constexpr int kLargestIcon = 256;
constexpr int kLargestArtwork = 32;

// The shell's small-icon size, which it asks tray icons to have. Smaller than 16 (or failing)
// draws at 16 and lets the shell shrink; absurdly large values are limited.
int SmallIconSize() {
    int size = GetSystemMetrics(SM_CXSMICON);
    if (size < kSmallestIcon) return kSmallestIcon;
    return size > kLargestIcon ? kLargestIcon : size;
}

// "<skin folder>\dark\": a skin's images for dark taskbars.
std::wstring DarkSkinFolder(const std::wstring& folder) {
    if (folder.empty()) return folder;
    return folder + (folder.back() == L'\\' ? L"" : L"\\") + L"dark\\";
}

} // namespace

std::wstring NotifyIcons::IconFile(const std::wstring& folder, int index) {
    const wchar_t* name = StripImage::Name(index);
    if (folder.empty()) return folder;
    if (!name) return std::wstring();
    std::wstring path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + name + L".ico";
}

void NotifyIcons::InitIcons(HWND window, HINSTANCE instance, const std::wstring& skin) {
    uCallStackTracker tracker("NotifyIcons::InitIcons(HWND, HINSTANCE, const wstring &)");
    hWnd = window;
    hInstance = instance;
    iconsWithdrawn = false;
    // The empty planes come from the module: a new one needs new planes.
    canvas.Release();
    imageSet.SetSkin(skin);
    LoadImageSet(SmallIconSize(), TaskbarTheme::IsDark());
    FillIconRecord(0);
    FillIconRecord(1);
    RedrawOnNextRefresh();
    Refresh();
}

bool NotifyIcons::UpdateImageSet() {
    uCallStackTracker tracker("NotifyIcons::UpdateImageSet()");
    // Before InitIcons there is nothing to update, and a refresh would add empty icons early.
    if (!hInstance) return false;
    int size = SmallIconSize();
    bool dark = TaskbarTheme::IsDark();
    if (imageSet.LoadedFor(size, dark)) return false;
    LoadImageSet(size, dark);
    RedrawOnNextRefresh();
    Refresh();
    return true;
}

// The built-in artwork is drawn at the largest size it exists for that fits the icon; a skin is
// drawn for 16 pixels and enlarged by the largest whole factor that fits. Either is centred in
// an icon larger than its layout. Each skin file falls back on its own built-in image;
// replacing a record releases the contexts and bitmaps of an earlier load.
void NotifyIcons::LoadImageSet(int size, bool dark) {
    const int layoutSize = imageSet.Choose(size, dark, buttonXOffset);
    for (int i = 0; i < kImageCount; ++i) images[i] = LoadStripImage(hInstance, ImageSource(i, layoutSize));
}

// Where image `index` comes from for a layout of `layoutSize` pixels. On a dark taskbar a
// skin's dark folder comes first. Layouts beyond the largest artwork are whole multiples of
// 16 (skins only): the built-in 32-pixel images doubled as often as fits, else the 16-pixel ones.
StripImageSource NotifyIcons::ImageSource(int index, int layoutSize) const {
    StripImageSource source;
    if (imageSet.Dark()) source.skinFiles[0] = IconFile(DarkSkinFolder(imageSet.Skin()), index);
    source.skinFiles[1] = IconFile(imageSet.Skin(), index);
    source.skinScale = layoutSize / kSmallestIcon;
    int artworkSize = layoutSize;
    if (layoutSize > kLargestArtwork) artworkSize = layoutSize % kLargestArtwork == 0 ? kLargestArtwork : kSmallestIcon;
    source.builtInScale = layoutSize / artworkSize;
    StripImage::Set set = !isWin7       ? StripImage::Set::Classic
                          : imageSet.Dark() ? StripImage::Set::Dark
                                        : StripImage::Set::Light;
    source.resourceId = StripImage::BuiltInBase(set, artworkSize) + index;
    return source;
}

// The next refresh must draw even though nothing it compares has changed.
void NotifyIcons::RedrawOnNextRefresh() { drawnPlayMode = playMode != Playing ? Playing : Stopped; }

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
