#pragma once
// Shrinking a picture by averaging every source pixel that falls into a target pixel (a box
// filter over the exact footprint): no pixel is skipped, so a cover keeps its colours and its
// fine lines soften instead of breaking up.
#include <cstdint>
#include <vector>

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> argb; // rows top first, premultiplied BGRA in memory order
};

// The size that fits `width` x `height` into a square of `side`, keeping the proportions; at
// least one pixel each way. A picture smaller than the square keeps its size.
void FitInSquare(int width, int height, int side, int& outWidth, int& outHeight);

// `source` shrunk (or kept) to `width` x `height`. Enlarging repeats the nearest pixel.
Pixels ScaleArea(const Pixels& source, int width, int height);
