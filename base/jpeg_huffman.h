#pragma once
// The Huffman side of a JPEG's entropy-coded data: the bits between two markers, and a code
// table built from a DHT segment. Everything here reads untrusted bytes: a reader never looks
// past its end, and a table refuses counts whose codes cannot exist.
#include <cstddef>
#include <cstdint>

namespace Jpeg {

// The bits of one entropy-coded segment, first bit first. A 0xFF 0x00 pair is a data byte 0xFF;
// any other 0xFF pair is a marker, which ends the data. Past the data, zero bits are handed out
// and counted: Overrun() then says the data was cut short or damaged.
class BitReader {
public:
    BitReader(const uint8_t* begin, const uint8_t* end) : m_next(begin), m_end(end) {}

    // Keeps at least 32 bits ready: enough for any code and its extra bits.
    void Refill() {
        if (m_count < 32) Fill();
    }
    // The next `n` bits (1 to 32) without taking them.
    uint32_t Peek(int n) const { return static_cast<uint32_t>(m_bits >> (64 - n)); }
    void Skip(int n) {
        m_bits <<= n;
        m_count -= n;
    }
    // Takes `n` bits (0 to 16) as a number.
    uint32_t Take(int n) {
        if (n == 0) return 0;
        const uint32_t value = Peek(n);
        Skip(n);
        return value;
    }
    // Whether more bits were taken than the data holds.
    bool Overrun() const { return m_padding * 8 > m_count; }
    // At a restart marker: drops what is left of the last byte, steps over the marker and starts
    // afresh. False when the data did not stop at a restart marker.
    bool Restart();
    // Where the data ended: at the marker that ended it, or at the end.
    const uint8_t* End() const { return m_next; }

private:
    friend class HuffmanTable;
    void Fill();
    bool FillWhole();

    const uint8_t* m_next;
    const uint8_t* m_end;
    uint64_t m_bits = 0;   // the ready bits, first one highest
    int m_count = 0;       // how many of them are ready
    long long m_padding = 0; // zero bytes handed out past the data
    bool m_atMarker = false;
};

// A DC value's extra bits as the signed difference they stand for.
inline int ExtendSign(uint32_t bits, int size) {
    return size == 0 ? 0 : (bits < (1u << (size - 1)) ? static_cast<int>(bits) - (1 << size) + 1 : static_cast<int>(bits));
}

class HuffmanTable {
public:
    // `counts[i]` codes of length i + 1, the symbols in code order. False for a table whose
    // counts overfill a length or name more symbols than given. Only a table of the later
    // coefficients (`coefficients`) is ever stepped over, so only it gets the several-at-once table.
    bool Build(const uint8_t counts[16], const uint8_t* symbols, size_t symbolCount, bool coefficients);
    bool Defined() const { return m_defined; }
    // The next symbol, or -1 for bits that are no code of this table. Needs 16 bits ready.
    int Decode(BitReader& bits) const;
    // Steps over the rest of a block's coefficients, up to its end. False for bits that are no
    // code, or for more coefficients than a block holds.
    bool SkipRestOfBlock(BitReader& bits) const;

private:
    static constexpr int kFastBits = 10;
    static constexpr int kSeveralBits = 12;
    int DecodeLong(BitReader& bits) const;
    void BuildSeveral();
    // One coefficient: how far along the block it moves (the run of zeros plus one, 16 for
    // sixteen zeros, 0 for the end of the block), or -1 for bits that are no code. The ready
    // bits are the caller's copy of the reader's.
    int SkipOne(uint64_t& ready, int& count, BitReader& bits) const;
    int SkipLongCoefficient(BitReader& bits) const;

    uint16_t m_fast[1 << kFastBits] = {}; // length << 8 | symbol; 0 for a longer code
    uint16_t m_skip[1 << kFastBits] = {}; // step << 8 | code and extra bits; 0 for a longer code
    // The whole coefficients a bit pattern starts with: their bits << 16 | their steps << 1 | 1
    // when they end with the block's end; 0 when the first is longer than the pattern.
    uint32_t m_several[1 << kSeveralBits] = {};
    int32_t m_maxCode[17] = {};           // the last code of each length, -1 for none
    int32_t m_symbolOffset[17] = {};      // code + offset = the symbol's index
    uint8_t m_symbols[256] = {};
    int m_symbolCount = 0;
    bool m_defined = false;
};

} // namespace Jpeg
