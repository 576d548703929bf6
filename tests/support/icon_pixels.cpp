#include "tests/support/icon_pixels.h"

std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
    return pixels;
}

HBITMAP SelectedBitmap(HDC dc) { return static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)); }

Pixels ReadIconPixels(HICON icon) {
    Pixels result;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return result;
    UniqueBitmap color(info.hbmColor), maskBitmap(info.hbmMask);
    BITMAP size = {};
    GetObjectW(info.hbmColor, sizeof(size), &size);
    result.width = size.bmWidth;
    result.height = size.bmHeight;
    result.color = ReadBitmapPixels(info.hbmColor, result.width, result.height);
    std::vector<uint32_t> mask = ReadBitmapPixels(info.hbmMask, result.width, result.height);
    if (result.color.empty() || mask.empty()) return Pixels();
    for (uint32_t m : mask) result.opaque.push_back((m & 0xFFFFFF) == 0);
    return result;
}
