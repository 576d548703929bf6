#include "base/jpeg_huffman.h"

#include <cstring>

namespace Jpeg {

// Eight bytes without a 0xFF among them are taken at once: most of a scan's data.
bool BitReader::FillWhole() {
    if (m_atMarker || m_end - m_next < 8) return false;
    uint64_t word;
    std::memcpy(&word, m_next, 8);
    const uint64_t inverted = ~word; // a 0xFF byte is a zero byte here
    if ((inverted - 0x0101010101010101ULL) & ~inverted & 0x8080808080808080ULL) return false;
    const int bytes = (64 - m_count) >> 3;
    const uint64_t first = __builtin_bswap64(word) >> m_count; // first byte highest
    const int kept = m_count + bytes * 8;
    m_bits |= kept == 64 ? first : first & ~(~0ULL >> kept);
    m_next += bytes;
    m_count = kept;
    return true;
}

void BitReader::Fill() {
    if (FillWhole()) return;
    while (m_count <= 56) {
        uint32_t byte = 0;
        if (m_atMarker || m_next >= m_end) {
            ++m_padding;
        } else if (*m_next != 0xFF) {
            byte = *m_next++;
        } else if (m_next + 1 < m_end && m_next[1] == 0x00) {
            byte = 0xFF;
            m_next += 2;
        } else {
            m_atMarker = true; // m_next stays on the marker's 0xFF
            ++m_padding;
        }
        m_bits |= static_cast<uint64_t>(byte) << (56 - m_count);
        m_count += 8;
    }
}

// The bits still ready are the last byte's fill: the reader may not have reached the marker yet,
// but nothing of the interval's data lies between them and it.
bool BitReader::Restart() {
    if (m_next + 1 >= m_end || m_next[0] != 0xFF || (m_next[1] & 0xF8) != 0xD0) return false;
    m_next += 2;
    m_bits = 0;
    m_count = 0;
    m_padding = 0;
    m_atMarker = false;
    return true;
}

bool HuffmanTable::Build(const uint8_t counts[16], const uint8_t* symbols, size_t symbolCount, bool coefficients) {
    *this = HuffmanTable();
    int32_t code = 0;
    size_t index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[length - 1];
        if (index + count > symbolCount || code + count > (1 << length)) return false;
        m_symbolOffset[length] = static_cast<int32_t>(index) - code;
        m_maxCode[length] = count ? code + count - 1 : -1;
        for (int i = 0; i < count; ++i, ++code, ++index) {
            const uint8_t symbol = symbols[index];
            m_symbols[index] = symbol;
            if (length > kFastBits) continue;
            // Every bit pattern that starts with this code decodes to it at once.
            const int first = code << (kFastBits - length), last = (code + 1) << (kFastBits - length);
            const int run = symbol >> 4, extra = symbol & 15;
            const int step = extra ? run + 1 : (run == 15 ? 16 : 0);
            for (int pattern = first; pattern < last; ++pattern) {
                m_fast[pattern] = static_cast<uint16_t>(length << 8 | symbol);
                m_skip[pattern] = static_cast<uint16_t>(step << 8 | (length + extra));
            }
        }
        code <<= 1;
    }
    m_symbolCount = static_cast<int>(index);
    m_defined = true;
    if (coefficients) BuildSeveral();
    return true;
}

void HuffmanTable::BuildSeveral() {
    for (uint32_t pattern = 0; pattern < (1u << kSeveralBits); ++pattern) {
        int used = 0, steps = 0;
        bool ends = false;
        while (!ends) {
            const uint32_t rest = (pattern << used) & ((1u << kSeveralBits) - 1);
            const uint16_t fast = m_fast[rest >> (kSeveralBits - kFastBits)];
            const int length = fast >> 8, run = (fast >> 4) & 15, extra = fast & 15;
            if (!fast || used + length + extra > kSeveralBits) break;
            used += length + extra;
            ends = !extra && run != 15;
            if (!ends) steps += extra ? run + 1 : 16;
        }
        if (used) m_several[pattern] = static_cast<uint32_t>(used << 16 | steps << 1 | (ends ? 1 : 0));
    }
}

int HuffmanTable::Decode(BitReader& bits) const {
    const uint16_t entry = m_fast[bits.Peek(kFastBits)];
    if (!entry) return DecodeLong(bits);
    bits.Skip(entry >> 8);
    return entry & 0xFF;
}

// The reader's bits are copied into `ready` and `count`, kept in registers: this loop is where
// a large picture's time goes.
bool HuffmanTable::SkipRestOfBlock(BitReader& bits) const {
    uint64_t ready = bits.m_bits;
    int count = bits.m_count;
    int k = 1, step = 1;
    while (k < 64 && step > 0) {
        if (count < 32) { // any code and its extra bits: at most 26
            bits.m_bits = ready;
            bits.m_count = count;
            bits.Fill();
            ready = bits.m_bits;
            count = bits.m_count;
        }
        // Several short coefficients at once, unless they would run past the block's end: the
        // bits after its last coefficient are the next block's.
        const uint32_t several = m_several[ready >> (64 - kSeveralBits)];
        const bool ends = several & 1;
        const int reach = k + static_cast<int>((several >> 1) & 0xFF);
        if (several && (ends ? reach < 64 : reach <= 64)) {
            const int used = static_cast<int>(several >> 16);
            ready <<= used;
            count -= used;
            k = reach;
            step = ends ? 0 : 1;
            continue;
        }
        step = SkipOne(ready, count, bits);
        k += step;
    }
    bits.m_bits = ready;
    bits.m_count = count;
    return step == 0 || (step > 0 && k == 64); // the end of the block, or exactly its last coefficient
}

inline int HuffmanTable::SkipOne(uint64_t& ready, int& count, BitReader& bits) const {
    const uint16_t entry = m_skip[ready >> (64 - kFastBits)];
    if (entry) {
        ready <<= entry & 0xFF;
        count -= entry & 0xFF;
        return entry >> 8;
    }
    bits.m_bits = ready;
    bits.m_count = count;
    const int step = SkipLongCoefficient(bits);
    ready = bits.m_bits;
    count = bits.m_count;
    return step;
}

int HuffmanTable::SkipLongCoefficient(BitReader& bits) const {
    const int symbol = DecodeLong(bits);
    if (symbol < 0) return -1;
    const int run = symbol >> 4, extra = symbol & 15;
    if (!extra) return run == 15 ? 16 : 0;
    bits.Skip(extra);
    return run + 1;
}

// Codes longer than the quick table: canonical codes of one length are consecutive, so the
// first length whose last code is not below the bits read holds it.
int HuffmanTable::DecodeLong(BitReader& bits) const {
    const uint32_t ahead = bits.Peek(16);
    for (int length = kFastBits + 1; length <= 16; ++length) {
        const int32_t code = static_cast<int32_t>(ahead >> (16 - length));
        if (code > m_maxCode[length]) continue;
        const int32_t index = code + m_symbolOffset[length];
        if (index < 0 || index >= m_symbolCount) return -1;
        bits.Skip(length);
        return m_symbols[index];
    }
    return -1;
}

} // namespace Jpeg
