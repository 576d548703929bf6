#pragma once
// The strip's image set: 18 small images in a fixed index order, each kept as a memory
// context with its colour bitmap and one with its AND mask.
#include "base/gdi_handles.h"
#include "resources/resource.h"
#include <string>

// Image indices. Each pair is hot (H) then normal (L); BARL and BARR are the bar's two halves.
namespace StripImage {
enum : int {
    BackH = 0,
    BackL = 1,
    BarL = 2,
    BarR = 3,
    CursSldH = 4,
    CursSldL = 5,
    CursVolH = 6,
    CursVolL = 7,
    LoadH = 8,
    LoadL = 9,
    NextH = 10,
    NextL = 11,
    PauseH = 12,
    PauseL = 13,
    PlayH = 14,
    PlayL = 15,
    StopH = 16,
    StopL = 17,
    Count = 18
};
// Built-in icon resources: 16 colours for systems before Windows 7, 32 bits with alpha after.
constexpr int kClassicBase = IDI_STRIP_FIRST;
constexpr int kAlphaBase = IDI_STRIP_FIRST + STRIP_ICON_SET_STRIDE;

// The built-in image sets. Each exists at every artwork size.
enum class Set : int { Classic = 0, Light = 1, Dark = 2 };
// The sizes (pixels per icon) the built-in artwork is drawn for, smallest first.
constexpr int kArtworkSizes[] = {16, 20, 24, 32};
// The resource id of image 0 of a set at an artwork size (one of kArtworkSizes); image
// `index` is this plus index. The 16-pixel classic and light sets are kClassicBase and
// kAlphaBase. 0 for a size without artwork.
int BuiltInBase(Set set, int artworkSize);
// Bitmap resources of an empty 16 x 16 icon: colour plane (black) and mask plane (white).
constexpr int kEmptyColorBitmap = IDB_EMPTY_COLOUR;
constexpr int kEmptyMaskBitmap = IDB_EMPTY_MASK;

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

// Where one image comes from: skin files tried in order (empty paths are skipped), then the
// built-in icon resource. Each is enlarged by its whole factor (1 leaves it as it is).
struct StripImageSource {
    std::wstring skinFiles[2];
    int skinScale = 1;
    int resourceId = 0;
    int builtInScale = 1;
};

// The first skin file that loads, else the built-in icon resource. An image that cannot be had
// either way comes back empty (not Loaded()).
StripImageRecord LoadStripImage(HINSTANCE instance, const StripImageSource& source);

// The planes of an icon as an image record, each pixel repeated scale x scale times; empty
// when the icon has no usable bitmaps.
StripImageRecord ImageFromIcon(HICON icon, int scale = 1);
