// Turning icons from skin files or resources into the strip's image records.
//
// Every image is normalised into two 32-bit planes when it is loaded. Icons arrive in many
// forms (monochrome, 16 colours, true colour, 32 bits with alpha); composing them with raster
// operations only gives the same picture for all of them if their planes share one form:
// - a monochrome icon keeps its colour in the lower half of its mask bitmap;
// - an image without alpha, drawn into an icon that has alpha elsewhere, would come out fully
//   transparent, so its opaque pixels get alpha 255;
// - a one-bit mask converted to 32 bits would clear the alpha bytes of whatever lies under the
//   image's transparent pixels, so transparent mask pixels are all ones, alpha included;
// - a transparent pixel with colour (a screen-inverting pixel) would invert what lies below;
//   it is dropped.
#include "tray/strip_image.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const wchar_t* const kImageNames[StripImage::Count] = {
    L"BACKH", L"BACKL", L"BARL",  L"BARR",   L"CURSSLDH", L"CURSSLDL", L"CURSVOLH", L"CURSVOLL", L"LOADH",
    L"LOADL", L"NEXTH", L"NEXTL", L"PAUSEH", L"PAUSEL",   L"PLAYH",    L"PLAYL",    L"STOPH",    L"STOPL"};

constexpr uint32_t kTransparentMask = 0xFFFFFFFFu;
constexpr uint32_t kAlphaMask = 0xFF000000u;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;
// No enlarged image needs to be larger than the largest icon; a bigger skin image is only
// enlarged as far as this (drawing clips it to the icon anyway).
constexpr int kLargestEnlargedSide = 256;

// The pixels of a bitmap as 32-bit values, top row first; empty on failure.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info = TopDown32(width, height);
    if (!dc || GetDIBits(dc.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
    return pixels;
}

// A 32-bit bitmap holding the given pixels, top row first.
UniqueBitmap MakeBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    return bitmap;
}

bool AnyAlpha(const std::vector<uint32_t>& pixels) {
    for (uint32_t pixel : pixels)
        if (pixel & kAlphaMask) return true;
    return false;
}

// Builds the two normalised planes from an icon's colour pixels and mask pixels.
void Normalise(std::vector<uint32_t>& color, std::vector<uint32_t>& mask) {
    bool ownAlpha = AnyAlpha(color);
    for (size_t i = 0; i < color.size(); ++i) {
        bool transparent = (mask[i] & kRgbMask) != 0;
        if (transparent) {
            color[i] = 0;
            mask[i] = kTransparentMask;
        } else {
            if (!ownAlpha) color[i] |= kAlphaMask;
            mask[i] = 0;
        }
    }
}

// Each pixel repeated factor x factor times: a skin drawn for 16-pixel icons keeps its crisp
// edges on icons of twice or three times the size.
std::vector<uint32_t> Enlarge(const std::vector<uint32_t>& pixels, int width, int height, int factor) {
    std::vector<uint32_t> out(pixels.size() * factor * factor);
    const int outWidth = width * factor;
    for (int y = 0; y < height * factor; ++y)
        for (int x = 0; x < outWidth; ++x)
            out[static_cast<size_t>(y) * outWidth + x] = pixels[(y / factor) * width + x / factor];
    return out;
}

BITMAP BitmapSize(HBITMAP bitmap) {
    BITMAP size = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(size), &size)) size = BITMAP();
    return size;
}

} // namespace

const wchar_t* StripImage::Name(int index) { return index >= 0 && index < Count ? kImageNames[index] : nullptr; }

int StripImage::BuiltInBase(Set set, int artworkSize) {
    for (int place = 0; place < static_cast<int>(ARRAYSIZE(kArtworkSizes)); ++place)
        if (kArtworkSizes[place] == artworkSize)
            return kClassicBase + STRIP_ICON_SIZE_STRIDE * place + STRIP_ICON_SET_STRIDE * static_cast<int>(set);
    return 0;
}

StripImageRecord ImageFromIcon(HICON icon, int scale) {
    StripImageRecord record;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return record;
    UniqueBitmap color(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);

    // A monochrome icon has no colour bitmap: its mask is twice as high, AND plane on top.
    BITMAP maskSize = BitmapSize(mask.get());
    BITMAP colorSize = BitmapSize(color.get());
    int width = color ? colorSize.bmWidth : maskSize.bmWidth;
    int height = color ? colorSize.bmHeight : maskSize.bmHeight / 2;
    if (width <= 0 || height <= 0 || maskSize.bmWidth != width || maskSize.bmHeight < height) return record;
    size_t pixelCount = static_cast<size_t>(width) * height;

    std::vector<uint32_t> maskPixels = ReadPixels(mask.get(), width, maskSize.bmHeight);
    if (maskPixels.size() < pixelCount) return record;
    std::vector<uint32_t> colorPixels;
    if (color) {
        colorPixels = ReadPixels(color.get(), width, height);
    } else if (maskPixels.size() >= 2 * pixelCount) {
        const auto colorStart = maskPixels.begin() + static_cast<std::ptrdiff_t>(pixelCount);
        colorPixels.assign(colorStart, colorStart + static_cast<std::ptrdiff_t>(pixelCount));
        for (uint32_t& pixel : colorPixels) pixel &= kRgbMask;
    }
    if (colorPixels.size() != pixelCount) return record;
    maskPixels.resize(pixelCount);

    Normalise(colorPixels, maskPixels);
    int longerSide = width > height ? width : height;
    if (scale > kLargestEnlargedSide / longerSide) scale = kLargestEnlargedSide / longerSide;
    if (scale > 1) {
        colorPixels = Enlarge(colorPixels, width, height, scale);
        maskPixels = Enlarge(maskPixels, width, height, scale);
        width *= scale;
        height *= scale;
    }
    record.colorDC = MemorySurface(MakeBitmap(colorPixels, width, height));
    record.maskDC = MemorySurface(MakeBitmap(maskPixels, width, height));
    record.width = width;
    record.height = height;
    if (!record.Loaded()) record = StripImageRecord();
    return record;
}

StripImageRecord LoadStripImage(HINSTANCE instance, const StripImageSource& source) {
    for (const std::wstring& file : source.skinFiles) {
        if (file.empty()) continue;
        UniqueIcon skinned(static_cast<HICON>(LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
        StripImageRecord record = ImageFromIcon(skinned.get(), source.skinScale);
        if (record.Loaded()) return record;
    }
    UniqueIcon builtIn(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(source.resourceId), IMAGE_ICON, 0, 0, 0)));
    return ImageFromIcon(builtIn.get(), source.builtInScale);
}
