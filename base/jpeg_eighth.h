#pragma once
// A JPEG read at an eighth of its size each way, from the first coefficient of each 8 x 8 block
// alone. That coefficient is the block's mean, so the result is the picture shrunk by the area
// filter, without the inverse transform and without holding the picture whole. Wine's system
// decoder decodes every pixel before it hands out a row: a tenth of a second and more for a
// large cover, where this reads its codes in a few milliseconds.
//
// Taken: 8-bit Huffman-coded JPEGs, sequential or progressive, grey or YCbCr, with restart
// markers or without. Anything else (CMYK, RGB, arithmetic coding, 12 bits, damaged or cut-short
// data) is not taken, and is the system decoder's to read.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace JpegEighth {

struct Picture {
    int width = 0, height = 0;   // (picture width + 7) / 8 x (picture height + 7) / 8
    std::vector<uint32_t> argb;  // rows top first, opaque BGRA in memory order
};

// The size its frame header gives; false when `data` is no JPEG this reader takes.
bool FrameSize(const void* data, size_t size, int& width, int& height);

// The picture at an eighth of its size. False, with `out` empty, when the file is not taken
// or holds more than `maxPixels` pixels.
bool Decode(const void* data, size_t size, long long maxPixels, Picture& out);

} // namespace JpegEighth
