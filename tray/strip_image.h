#pragma once
// The strip's image set: 18 small images in a fixed index order, each kept as a memory
// context with its colour bitmap and one with its AND mask.
#include "tray/gdi_handles.h"
#include <string>

// Image indices. Each pair is hot (H) then normal (L); BARL and BARR are the bar's two halves.
namespace StripImage {
enum : int {
    BackH = 0, BackL = 1, BarL = 2, BarR = 3, CursSldH = 4, CursSldL = 5, CursVolH = 6, CursVolL = 7,
    LoadH = 8, LoadL = 9, NextH = 10, NextL = 11, PauseH = 12, PauseL = 13, PlayH = 14, PlayL = 15,
    StopH = 16, StopL = 17, Count = 18
};
// Built-in icon resources: 16 colours for systems before Windows 7, 32 bits with alpha after.
constexpr int kClassicBase = 30060;
constexpr int kAlphaBase = 30080;
// Bitmap resources of an empty 16 x 16 icon: colour plane (black) and mask plane (white).
constexpr int kEmptyColorBitmap = 111;
constexpr int kEmptyMaskBitmap = 112;

// "BACKH" ... "STOPL"; null outside 0 to 17.
const wchar_t* Name(int index);
} // namespace StripImage

// One loaded image. The colour plane is a 32-bit bitmap whose transparent pixels are all zero
// and whose opaque pixels carry an alpha value; the mask plane is a 32-bit bitmap that is all
// ones where the image is transparent and zero where it is opaque. Drawing "AND mask, then
// XOR colour" therefore replaces exactly the opaque pixels, alpha included.
struct StripImageRecord {
    MemorySurface colorDC;
    MemorySurface maskDC;
    int width = 0;
    int height = 0;

    bool Loaded() const { return colorDC && maskDC && width > 0 && height > 0; }
};

// The icon file of a skin when skinFile is not empty and loads, else the built-in icon
// resource. An image that cannot be had either way comes back empty (not Loaded()).
StripImageRecord LoadStripImage(HINSTANCE instance, const std::wstring& skinFile, int resourceId);

// The planes of an icon as an image record; empty when the icon has no usable bitmaps.
StripImageRecord ImageFromIcon(HICON icon);
