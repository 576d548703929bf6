#pragma once
// Shrinking a picture by averaging every source pixel that falls into a target pixel (a box
// filter over the exact footprint): no pixel is skipped, so a cover keeps its colours and its
// fine lines soften instead of breaking up. The rows are taken one at a time, top first, so a
// large picture never has to be held whole.
#include <cstdint>
#include <vector>

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> argb; // rows top first, premultiplied BGRA in memory order
};

// The size that fits `width` x `height` into a square of `side`, keeping the proportions; at
// least one pixel each way. A picture smaller than the square keeps its size.
void FitInSquare(int width, int height, int side, int& outWidth, int& outHeight);

class AreaScaler {
public:
    // A target no larger than the source either way (a larger one is held to the source's size).
    AreaScaler(int sourceWidth, int sourceHeight, int width, int height);
    // The next source row: premultiplied BGRA pixels, or 24-bit BGR ones (opaque).
    void AddRow(const uint32_t* argb);
    void AddBgrRow(const uint8_t* bgr);
    // The result once every source row has been added.
    const Pixels& Result() const { return m_out; }

private:
    void Accumulate(int x, uint32_t b, uint32_t g, uint32_t r, uint32_t a);
    void EndOfRow();

    int m_sourceHeight;
    std::vector<int> m_columnTarget; // the target column of each source column
    std::vector<int> m_columnCount;  // source columns per target column
    std::vector<uint32_t> m_sums;    // per target column: B, G, R, A
    int m_sourceRow = 0, m_targetRow = 0;
    Pixels m_out;
};

// `source` shrunk (or kept) to `width` x `height`.
Pixels ScaleArea(const Pixels& source, int width, int height);
