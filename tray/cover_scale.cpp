#include "tray/cover_scale.h"

#include <algorithm>

void FitInSquare(int width, int height, int side, int& outWidth, int& outHeight) {
    outWidth = width;
    outHeight = height;
    if (width <= 0 || height <= 0 || side <= 0) {
        outWidth = outHeight = 0;
        return;
    }
    if (width <= side && height <= side) return;
    if (width >= height) {
        outWidth = side;
        outHeight = std::max(1, static_cast<int>(static_cast<long long>(height) * side / width));
    } else {
        outHeight = side;
        outWidth = std::max(1, static_cast<int>(static_cast<long long>(width) * side / height));
    }
}

namespace {

// Which source columns (or rows) cover target position `i` of `target`: [first, last).
void Footprint(int i, int source, int target, int& first, int& last) {
    first = static_cast<int>(static_cast<long long>(i) * source / target);
    last = static_cast<int>(static_cast<long long>(i + 1) * source / target);
    if (last <= first) last = first + 1;
}

} // namespace

Pixels ScaleArea(const Pixels& source, int width, int height) {
    Pixels out;
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return out;
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<size_t>(width) * height);
    // Sums per target column of the current target row, one channel each.
    std::vector<uint64_t> sums(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        int top, bottom;
        Footprint(y, source.height, height, top, bottom);
        std::fill(sums.begin(), sums.end(), 0);
        for (int sy = top; sy < bottom; ++sy) {
            const uint32_t* row = &source.argb[static_cast<size_t>(sy) * source.width];
            for (int x = 0; x < width; ++x) {
                int left, right;
                Footprint(x, source.width, width, left, right);
                uint64_t* sum = &sums[static_cast<size_t>(x) * 4];
                for (int sx = left; sx < right; ++sx) {
                    const uint32_t p = row[sx];
                    sum[0] += p & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += (p >> 16) & 0xFF;
                    sum[3] += p >> 24;
                }
            }
        }
        for (int x = 0; x < width; ++x) {
            int left, right;
            Footprint(x, source.width, width, left, right);
            const uint64_t count = static_cast<uint64_t>(right - left) * (bottom - top);
            const uint64_t* sum = &sums[static_cast<size_t>(x) * 4];
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= static_cast<uint32_t>((sum[c] + count / 2) / count) << (8 * c);
            out.argb[static_cast<size_t>(y) * width + x] = pixel;
        }
    }
    return out;
}
