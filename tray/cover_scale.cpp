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

// The first source row (or column) of target position `i`; target positions split the source
// into runs of at least one.
int FootprintStart(int i, int source, int target) {
    return static_cast<int>(static_cast<long long>(i) * source / target);
}

} // namespace

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int width, int height) : m_sourceHeight(sourceHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return;
    width = std::min(width, sourceWidth);
    height = std::min(height, sourceHeight);
    m_out.width = width;
    m_out.height = height;
    m_out.argb.assign(static_cast<size_t>(width) * height, 0);
    m_columnTarget.resize(sourceWidth);
    m_columnCount.assign(width, 0);
    for (int t = 0; t < width; ++t) {
        const int end = FootprintStart(t + 1, sourceWidth, width);
        for (int x = FootprintStart(t, sourceWidth, width); x < end; ++x) m_columnTarget[x] = t;
        m_columnCount[t] = end - FootprintStart(t, sourceWidth, width);
    }
    m_sums.assign(static_cast<size_t>(width) * 4, 0);
}

inline void AreaScaler::Accumulate(int x, uint32_t b, uint32_t g, uint32_t r, uint32_t a) {
    uint32_t* sum = &m_sums[static_cast<size_t>(m_columnTarget[x]) * 4];
    sum[0] += b;
    sum[1] += g;
    sum[2] += r;
    sum[3] += a;
}

void AreaScaler::AddRow(const uint32_t* argb) {
    if (m_targetRow >= m_out.height) return;
    for (size_t x = 0; x < m_columnTarget.size(); ++x) {
        const uint32_t p = argb[x];
        Accumulate(static_cast<int>(x), p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF, p >> 24);
    }
    EndOfRow();
}

void AreaScaler::AddBgrRow(const uint8_t* bgr) {
    if (m_targetRow >= m_out.height) return;
    for (size_t x = 0; x < m_columnTarget.size(); ++x, bgr += 3)
        Accumulate(static_cast<int>(x), bgr[0], bgr[1], bgr[2], 255);
    EndOfRow();
}

// After the last source row of a target row, that row is written and the sums start again.
void AreaScaler::EndOfRow() {
    ++m_sourceRow;
    if (m_sourceRow < FootprintStart(m_targetRow + 1, m_sourceHeight, m_out.height)) return;
    const uint32_t rows =
        static_cast<uint32_t>(m_sourceRow - FootprintStart(m_targetRow, m_sourceHeight, m_out.height));
    uint32_t* out = &m_out.argb[static_cast<size_t>(m_targetRow) * m_out.width];
    for (int t = 0; t < m_out.width; ++t) {
        const uint32_t count = rows * static_cast<uint32_t>(m_columnCount[t]);
        uint32_t* sum = &m_sums[static_cast<size_t>(t) * 4];
        uint32_t pixel = 0;
        for (int c = 0; c < 4; ++c) pixel |= ((sum[c] + count / 2) / count) << (8 * c);
        out[t] = pixel;
        std::fill(sum, sum + 4, 0u);
    }
    ++m_targetRow;
}

Pixels ScaleArea(const Pixels& source, int width, int height) {
    AreaScaler scaler(source.width, source.height, width, height);
    for (int y = 0; y < source.height; ++y) scaler.AddRow(&source.argb[static_cast<size_t>(y) * source.width]);
    return scaler.Result();
}
