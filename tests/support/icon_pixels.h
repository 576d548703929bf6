#pragma once
// Reads an icon (or one plane of a strip image) back as pixels, for tests that check what was
// composed.
#include "base/gdi_handles.h"

#include <windows.h>
#include <cstdint>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> color; // 0xAARRGGBB
    std::vector<bool> opaque;    // AND mask clear

    bool Valid() const { return width > 0 && height > 0; }
    uint32_t Rgb(int x, int y) const { return color[y * width + x] & 0xFFFFFF; }
    unsigned Alpha(int x, int y) const { return color[y * width + x] >> 24; }
    bool Opaque(int x, int y) const { return opaque[y * width + x]; }
};

// Colour plane and mask of an icon (GetIconInfo, GetDIBits).
Pixels ReadIconPixels(HICON icon);
// The 32-bit pixels of a bitmap (GetDIBits), top row first.
std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height);
// The bitmap selected into a device context.
HBITMAP SelectedBitmap(HDC dc);
