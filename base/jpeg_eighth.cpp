// The file is walked marker by marker. Tables and the frame are kept; each scan's codes are
// read block by block, keeping the first coefficient and stepping over the others; scans of
// the later coefficients of a progressive file are stepped over whole.
#include "base/jpeg_eighth.h"

#include "base/jpeg_huffman.h"

#include <algorithm>
#include <memory>

namespace {

using Jpeg::BitReader;
using Jpeg::HuffmanTable;

constexpr int kFrameBaseline = 0xC0, kFrameExtended = 0xC1, kFrameProgressive = 0xC2;
constexpr int kHuffmanTables = 0xC4, kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
constexpr int kQuantisers = 0xDB, kRestartInterval = 0xDD, kAdobe = 0xEE;
// A first coefficient outside this is no 8-bit picture's: the data is damaged.
constexpr int kLargestFirstCoefficient = 2047;

bool IsOtherFrame(int marker) {
    return marker >= 0xC3 && marker <= 0xCF && marker != kHuffmanTables && marker != 0xC8 && marker != 0xCC;
}
bool StandsAlone(int marker) { return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01; }

// The next marker at or after `p`, stepping over fill bytes and anything that is no marker
// (the codes of a scan that is not read); 0 at the end.
int NextMarker(const uint8_t*& p, const uint8_t* end) {
    for (; p + 1 < end; ++p) {
        if (p[0] != 0xFF || p[1] == 0x00 || p[1] == 0xFF) continue;
        const int marker = p[1];
        p += 2;
        return marker;
    }
    p = end;
    return 0;
}

// A segment's bytes, read without ever passing its end.
class Bytes {
public:
    Bytes(const uint8_t* begin, size_t size) : m_next(begin), m_left(size) {}
    size_t Left() const { return m_left; }
    int Byte() {
        if (!m_left) return m_failed = true, 0;
        --m_left;
        return *m_next++;
    }
    int Word() {
        const int high = Byte();
        return high << 8 | Byte();
    }
    const uint8_t* Take(size_t n) {
        if (n > m_left) return m_failed = true, nullptr;
        const uint8_t* taken = m_next;
        m_next += n;
        m_left -= n;
        return taken;
    }
    bool Failed() const { return m_failed; }

private:
    const uint8_t* m_next;
    size_t m_left;
    bool m_failed = false;
};

struct Component {
    int id = 0, across = 1, down = 1; // sampling factors
    int quantiserTable = 0, quantiser = 0;
    int blocksWide = 0, blocksHigh = 0; // the grid of whole MCUs
    int usedWide = 0, usedHigh = 0;     // the blocks that hold the picture
    int predictor = 0;
    bool read = false;
    std::vector<int32_t> first; // each block's first coefficient
};

enum class ScanKind { Sequential, FirstOnly, FirstRefined };

struct ScanPart {
    Component* component;
    const HuffmanTable* first;
    const HuffmanTable* later;
};

class Reader {
public:
    Reader(const void* data, size_t size, long long maxPixels)
        : m_begin(static_cast<const uint8_t*>(data)), m_end(m_begin + (data ? size : 0)), m_maxPixels(maxPixels) {}

    // Reads the file up to its frame (`frameOnly`) or whole.
    bool Walk(bool frameOnly);
    bool Result(JpegEighth::Picture& out) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    bool Segment(int marker, const Bytes& body);
    bool Frame(Bytes body, bool progressive);
    bool HuffmanTables(Bytes body);
    bool Quantisers(Bytes body);
    bool RestartInterval(Bytes body);
    bool Adobe(Bytes body);
    bool Scan(Bytes header, const uint8_t*& p);
    bool ScanParts(Bytes& header, ScanPart* parts, int count);
    bool DecodeScan(ScanKind kind, ScanPart* parts, int count, int shift, BitReader& bits);
    bool DecodeUnit(ScanKind kind, const ScanPart* parts, int count, int shift, int x, int y, BitReader& bits);
    bool DecodeBlock(ScanKind kind, const ScanPart& part, int shift, int x, int y, BitReader& bits);
    bool IsRgb() const;

    const uint8_t* m_begin;
    const uint8_t* m_end;
    long long m_maxPixels;
    bool m_frameSeen = false, m_progressive = false;
    int m_width = 0, m_height = 0;
    int m_componentCount = 0;
    Component m_components[3];
    int m_mostAcross = 1, m_mostDown = 1;
    int m_mcusWide = 0, m_mcusHigh = 0;
    HuffmanTable m_firstTables[4], m_laterTables[4];
    int m_quantisers[4] = {}; // each table's first entry; 0 while undefined
    int m_restartInterval = 0;
    int m_adobeTransform = -1;
};

bool Reader::Walk(bool frameOnly) {
    const uint8_t* p = m_begin;
    if (m_end - m_begin < 4 || p[0] != 0xFF || p[1] != kStartOfImage) return false;
    p += 2;
    for (;;) {
        const int marker = NextMarker(p, m_end);
        if (marker == 0 || marker == kEndOfImage) return m_frameSeen && !frameOnly;
        if (StandsAlone(marker)) continue;
        if (m_end - p < 2) return false;
        const size_t length = static_cast<size_t>(p[0] << 8 | p[1]);
        if (length < 2 || static_cast<size_t>(m_end - p) < length) return false;
        const Bytes body(p + 2, length - 2);
        p += length;
        if (marker == kStartOfScan) {
            if (frameOnly || !Scan(body, p)) return false;
        } else if (!Segment(marker, body)) {
            return false;
        } else if (frameOnly && m_frameSeen) {
            return true;
        }
    }
}

bool Reader::Segment(int marker, const Bytes& body) {
    switch (marker) {
    case kFrameBaseline:
    case kFrameExtended: return Frame(body, false);
    case kFrameProgressive: return Frame(body, true);
    case kHuffmanTables: return HuffmanTables(body);
    case kQuantisers: return Quantisers(body);
    case kRestartInterval: return RestartInterval(body);
    case kAdobe: return Adobe(body);
    default: return !IsOtherFrame(marker); // application data and comments are stepped over
    }
}

bool Reader::Frame(Bytes body, bool progressive) {
    if (m_frameSeen) return false;
    const int precision = body.Byte();
    m_height = body.Word();
    m_width = body.Word();
    m_componentCount = body.Byte();
    // A height of 0 is given later, in a segment this reader does not take.
    if (precision != 8 || m_width == 0 || m_height == 0 || (m_componentCount != 1 && m_componentCount != 3))
        return false;
    if (static_cast<long long>(m_width) * m_height > m_maxPixels) return false;
    for (int i = 0; i < m_componentCount; ++i) {
        Component& c = m_components[i];
        c.id = body.Byte();
        const int factors = body.Byte();
        c.across = factors >> 4;
        c.down = factors & 15;
        c.quantiserTable = body.Byte();
        if (c.across < 1 || c.across > 4 || c.down < 1 || c.down > 4 || c.quantiserTable > 3) return false;
        m_mostAcross = std::max(m_mostAcross, c.across);
        m_mostDown = std::max(m_mostDown, c.down);
    }
    if (body.Failed()) return false;
    m_mcusWide = (m_width + 8 * m_mostAcross - 1) / (8 * m_mostAcross);
    m_mcusHigh = (m_height + 8 * m_mostDown - 1) / (8 * m_mostDown);
    for (int i = 0; i < m_componentCount; ++i) {
        Component& c = m_components[i];
        c.blocksWide = m_mcusWide * c.across;
        c.blocksHigh = m_mcusHigh * c.down;
        c.usedWide = ((m_width * c.across + m_mostAcross - 1) / m_mostAcross + 7) / 8;
        c.usedHigh = ((m_height * c.down + m_mostDown - 1) / m_mostDown + 7) / 8;
    }
    m_progressive = progressive;
    m_frameSeen = true;
    return true;
}

bool Reader::HuffmanTables(Bytes body) {
    while (body.Left() > 0) {
        const int kind = body.Byte();
        const uint8_t* counts = body.Take(16);
        if (!counts || (kind >> 4) > 1 || (kind & 15) > 3) return false;
        size_t total = 0;
        for (int i = 0; i < 16; ++i) total += counts[i];
        const uint8_t* symbols = body.Take(total);
        HuffmanTable& table = (kind >> 4) ? m_laterTables[kind & 15] : m_firstTables[kind & 15];
        if (!symbols || total > 256 || !table.Build(counts, symbols, total, (kind >> 4) == 1)) return false;
    }
    return true;
}

bool Reader::Quantisers(Bytes body) {
    while (body.Left() > 0) {
        const int kind = body.Byte();
        const int wide = kind >> 4, table = kind & 15;
        if (wide > 1 || table > 3) return false;
        m_quantisers[table] = wide ? body.Word() : body.Byte();
        if (!body.Take(wide ? 126 : 63)) return false;
    }
    return true;
}

bool Reader::RestartInterval(Bytes body) {
    m_restartInterval = body.Word();
    return !body.Failed();
}

// Adobe's segment says whether three components are YCbCr (1) or RGB (0).
bool Reader::Adobe(Bytes body) {
    const uint8_t* fields = body.Take(12);
    if (fields && std::equal(fields, fields + 5, "Adobe")) m_adobeTransform = fields[11];
    return true;
}

bool Reader::Scan(Bytes header, const uint8_t*& p) {
    const int count = header.Byte();
    if (!m_frameSeen || count < 1 || count > m_componentCount) return false;
    ScanPart parts[3] = {};
    if (!ScanParts(header, parts, count)) return false;
    const int start = header.Byte(), end = header.Byte(), approximation = header.Byte();
    const int refining = approximation >> 4, shift = approximation & 15;
    if (header.Failed() || shift > 13) return false;
    ScanKind kind = ScanKind::Sequential;
    if (m_progressive) {
        if (start != 0) return true; // a scan of later coefficients: its codes are stepped over
        if (end != 0) return false;
        kind = refining ? ScanKind::FirstRefined : ScanKind::FirstOnly;
    } else if (start != 0 || end != 63 || approximation != 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const bool needsFirst = kind != ScanKind::FirstRefined, needsLater = kind == ScanKind::Sequential;
        if ((needsFirst && !parts[i].first->Defined()) || (needsLater && !parts[i].later->Defined())) return false;
        if (kind == ScanKind::FirstRefined && !parts[i].component->read) return false;
    }
    BitReader bits(p, m_end);
    if (!DecodeScan(kind, parts, count, shift, bits)) return false;
    p = bits.End();
    return true;
}

bool Reader::ScanParts(Bytes& header, ScanPart* parts, int count) {
    for (int i = 0; i < count; ++i) {
        const int id = header.Byte(), tables = header.Byte();
        Component* component = nullptr;
        for (int c = 0; c < m_componentCount; ++c)
            if (m_components[c].id == id) component = &m_components[c];
        if (!component || (tables >> 4) > 3 || (tables & 15) > 3) return false;
        for (int j = 0; j < i; ++j)
            if (parts[j].component == component) return false;
        component->quantiser = m_quantisers[component->quantiserTable];
        if (component->quantiser == 0) return false;
        parts[i] = {component, &m_firstTables[tables >> 4], &m_laterTables[tables & 15]};
    }
    return !header.Failed();
}

bool Reader::DecodeScan(ScanKind kind, ScanPart* parts, int count, int shift, BitReader& bits) {
    // One component alone goes block by block over its own picture; several go MCU by MCU.
    const int wide = count == 1 ? parts[0].component->usedWide : m_mcusWide;
    const int high = count == 1 ? parts[0].component->usedHigh : m_mcusHigh;
    for (int i = 0; i < count; ++i) {
        Component& c = *parts[i].component;
        c.predictor = 0;
        if (c.first.empty()) c.first.assign(static_cast<size_t>(c.blocksWide) * c.blocksHigh, 0);
    }
    int untilRestart = m_restartInterval;
    for (int y = 0; y < high; ++y) {
        for (int x = 0; x < wide; ++x) {
            if (m_restartInterval && untilRestart-- == 0) {
                if (!bits.Restart()) return false;
                untilRestart = m_restartInterval - 1;
                for (int i = 0; i < count; ++i) parts[i].component->predictor = 0;
            }
            if (!DecodeUnit(kind, parts, count, shift, x, y, bits)) return false;
        }
        if (bits.Overrun()) return false;
    }
    for (int i = 0; i < count; ++i) parts[i].component->read = true;
    return true;
}

bool Reader::DecodeUnit(ScanKind kind, const ScanPart* parts, int count, int shift, int x, int y, BitReader& bits) {
    if (count == 1) return DecodeBlock(kind, parts[0], shift, x, y, bits);
    for (int i = 0; i < count; ++i) {
        const Component& c = *parts[i].component;
        for (int down = 0; down < c.down; ++down)
            for (int across = 0; across < c.across; ++across)
                if (!DecodeBlock(kind, parts[i], shift, x * c.across + across, y * c.down + down, bits)) return false;
    }
    return true;
}

bool Reader::DecodeBlock(ScanKind kind, const ScanPart& part, int shift, int x, int y, BitReader& bits) {
    Component& c = *part.component;
    int32_t& first = c.first[static_cast<size_t>(y) * c.blocksWide + x];
    bits.Refill();
    if (kind == ScanKind::FirstRefined) {
        if (bits.Take(1)) first |= 1 << shift;
        return true;
    }
    const int size = part.first->Decode(bits);
    if (size < 0 || size > 11) return false;
    c.predictor += Jpeg::ExtendSign(bits.Take(size), size);
    if (c.predictor < -kLargestFirstCoefficient || c.predictor > kLargestFirstCoefficient) return false;
    first = c.predictor * (1 << shift);
    if (kind == ScanKind::FirstOnly) return true;
    return part.later->SkipRestOfBlock(bits);
}

// Three components are RGB when Adobe's segment says so, or, without it, when they are named R,
// G and B; YCbCr otherwise.
bool Reader::IsRgb() const {
    if (m_adobeTransform >= 0) return m_adobeTransform == 0;
    return m_components[0].id == 'R' && m_components[1].id == 'G' && m_components[2].id == 'B';
}

// A colour level: 0 to 255.
int ToLevel(long long value) { return static_cast<int>(std::clamp<long long>(value, 0, 255)); }

// A block's mean sample: its first coefficient is eight times the mean, less 128.
int MeanOf(const Component& c, int x, int y) {
    const long long coefficient =
        static_cast<long long>(c.first[static_cast<size_t>(y) * c.blocksWide + x]) * c.quantiser;
    const long long eighth = coefficient >= 0 ? (coefficient + 4) / 8 : -((-coefficient + 4) / 8);
    return ToLevel(eighth + 128);
}

// The block of a component under each pixel of the eighth, along one axis.
std::vector<int> BlocksUnder(int pixels, int factor, int mostFactor, int usedBlocks) {
    std::vector<int> blocks(static_cast<size_t>(pixels));
    for (int i = 0; i < pixels; ++i) blocks[static_cast<size_t>(i)] = std::min(usedBlocks - 1, i * factor / mostFactor);
    return blocks;
}

uint32_t Grey(int luma) { return 0xFF000000u | static_cast<uint32_t>(luma) * 0x010101u; }

// JFIF's YCbCr in 16-bit fixed point.
uint32_t FromYCbCr(int luma, int cb, int cr) {
    const long long y = static_cast<long long>(luma) << 16, blue = cb - 128, red = cr - 128;
    const int r = ToLevel((y + 91881 * red + 32768) >> 16);
    const int g = ToLevel((y - 22554 * blue - 46802 * red + 32768) >> 16);
    const int b = ToLevel((y + 116130 * blue + 32768) >> 16);
    return 0xFF000000u | static_cast<uint32_t>(r << 16 | g << 8 | b);
}

bool Reader::Result(JpegEighth::Picture& out) const {
    for (int i = 0; i < m_componentCount; ++i)
        if (!m_components[i].read) return false;
    if (m_componentCount == 3 && IsRgb()) return false;
    out.width = (m_width + 7) / 8;
    out.height = (m_height + 7) / 8;
    out.argb.resize(static_cast<size_t>(out.width) * out.height);
    std::vector<int> columns[3], rows[3];
    for (int i = 0; i < m_componentCount; ++i) {
        const Component& c = m_components[i];
        columns[i] = BlocksUnder(out.width, c.across, m_mostAcross, c.usedWide);
        rows[i] = BlocksUnder(out.height, c.down, m_mostDown, c.usedHigh);
    }
    uint32_t* pixel = out.argb.data();
    for (size_t y = 0; y < rows[0].size(); ++y) {
        for (size_t x = 0; x < columns[0].size(); ++x, ++pixel) {
            int samples[3] = {};
            for (int i = 0; i < m_componentCount; ++i) samples[i] = MeanOf(m_components[i], columns[i][x], rows[i][y]);
            *pixel = m_componentCount == 1 ? Grey(samples[0]) : FromYCbCr(samples[0], samples[1], samples[2]);
        }
    }
    return true;
}

} // namespace

namespace JpegEighth {

// A reader holds its code tables (tens of KB): it lives on the heap, not on a thread's stack.
bool FrameSize(const void* data, size_t size, int& width, int& height) {
    const auto reader = std::make_unique<Reader>(data, size, 1LL << 32);
    if (!reader->Walk(true)) return false;
    width = reader->Width();
    height = reader->Height();
    return true;
}

bool Decode(const void* data, size_t size, long long maxPixels, Picture& out) {
    out = Picture();
    const auto reader = std::make_unique<Reader>(data, size, maxPixels);
    return reader->Walk(false) && reader->Result(out);
}

} // namespace JpegEighth
