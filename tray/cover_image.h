#pragma once
// A cover picture from the bytes of an image file (JPEG, PNG, BMP, GIF, TIFF: whatever the
// Windows Imaging Component decodes), shrunk to fit a square.
#include "tray/cover_scale.h"

#include <cstddef>

namespace CoverImage {

// Pictures above this many pixels are refused before they are decoded: their memory alone
// could starve the player.
constexpr long long kMaxPixels = 40000000LL;

enum class Outcome { Decoded, Empty, TooLarge, Undecodable };

// Decodes the first frame of `data` and fits it into a square of `side` pixels. Anything
// but Decoded leaves `out` empty: the card then shows its glyph.
Outcome Decode(const void* data, size_t size, int side, Pixels& out);

} // namespace CoverImage
