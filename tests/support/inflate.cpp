#include "tests/support/inflate.h"

#include <array>
#include <cstdint>

namespace {

// Bits come least significant first; Huffman codes are read one bit at a time from their
// most significant bit, as deflate packs them.
class BitReader {
public:
    explicit BitReader(const std::vector<char>& bytes) : bytes_(bytes) {}

    bool Bits(int count, unsigned& value) {
        value = 0;
        for (int i = 0; i < count; ++i) {
            if (byte_ >= bytes_.size()) return false;
            value |= ((static_cast<unsigned char>(bytes_[byte_]) >> bit_) & 1u) << i;
            if (++bit_ == 8) {
                bit_ = 0;
                ++byte_;
            }
        }
        return true;
    }

    void AlignToByte() {
        if (bit_ != 0) {
            bit_ = 0;
            ++byte_;
        }
    }

    bool CopyBytes(size_t count, std::vector<char>& out) {
        if (byte_ > bytes_.size() || bytes_.size() - byte_ < count) return false;
        out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(byte_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(byte_ + count));
        byte_ += count;
        return true;
    }

private:
    const std::vector<char>& bytes_;
    size_t byte_ = 0;
    int bit_ = 0;
};

constexpr int kMaxBits = 15;

// A canonical Huffman code: how many codes each length has, and the symbols in code order.
struct Huffman {
    std::array<unsigned, kMaxBits + 1> counts{};
    std::vector<unsigned> symbols;
};

// False for an over-subscribed set of lengths; incomplete codes are allowed (deflate uses
// them for a single distance code).
bool BuildHuffman(const unsigned* lengths, size_t n, Huffman& code) {
    code.counts.fill(0);
    code.symbols.assign(n, 0);
    for (size_t i = 0; i < n; ++i) ++code.counts[lengths[i]];
    code.counts[0] = 0;
    int left = 1;
    for (int length = 1; length <= kMaxBits; ++length) {
        left = left * 2 - static_cast<int>(code.counts[length]);
        if (left < 0) return false;
    }
    std::array<unsigned, kMaxBits + 2> next{};
    for (int length = 1; length <= kMaxBits; ++length) next[length + 1] = next[length] + code.counts[length];
    for (size_t i = 0; i < n; ++i)
        if (lengths[i] != 0) code.symbols[next[lengths[i]]++] = static_cast<unsigned>(i);
    return true;
}

bool DecodeSymbol(BitReader& in, const Huffman& code, unsigned& symbol) {
    unsigned value = 0, first = 0, index = 0;
    for (int length = 1; length <= kMaxBits; ++length) {
        unsigned bit = 0;
        if (!in.Bits(1, bit)) return false;
        value |= bit;
        const unsigned count = code.counts[length];
        if (value - first < count) {
            symbol = code.symbols[index + value - first];
            return true;
        }
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return false;
}

constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Literals and back-references up to the end-of-block symbol.
bool DecodeBlock(BitReader& in, const Huffman& literals, const Huffman& distances, size_t limit,
                 std::vector<char>& out) {
    for (;;) {
        unsigned symbol = 0, extra = 0;
        if (!DecodeSymbol(in, literals, symbol)) return false;
        if (symbol < 256) {
            if (out.size() >= limit) return false;
            out.push_back(static_cast<char>(symbol));
            continue;
        }
        if (symbol == 256) return true;
        symbol -= 257;
        if (symbol >= kLengthBase.size() || !in.Bits(kLengthExtra[symbol], extra)) return false;
        const size_t length = kLengthBase[symbol] + extra;
        if (!DecodeSymbol(in, distances, symbol) || symbol >= kDistanceBase.size() ||
            !in.Bits(kDistanceExtra[symbol], extra))
            return false;
        const size_t distance = kDistanceBase[symbol] + extra;
        if (distance > out.size() || limit - out.size() < length) return false;
        const size_t from = out.size() - distance;
        for (size_t i = 0; i < length; ++i) {
            const char copied = out[from + i];
            out.push_back(copied);
        }
    }
}

bool StoredBlock(BitReader& in, size_t limit, std::vector<char>& out) {
    in.AlignToByte();
    unsigned length = 0, complement = 0;
    if (!in.Bits(16, length) || !in.Bits(16, complement) || (length ^ 0xFFFFu) != complement) return false;
    if (limit - out.size() < length) return false;
    return in.CopyBytes(length, out);
}

bool FixedBlock(BitReader& in, size_t limit, std::vector<char>& out) {
    std::array<unsigned, 288> lengths{};
    for (size_t i = 0; i < lengths.size(); ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    std::array<unsigned, 30> distanceLengths{};
    distanceLengths.fill(5);
    Huffman literals, distances;
    BuildHuffman(lengths.data(), lengths.size(), literals);
    BuildHuffman(distanceLengths.data(), distanceLengths.size(), distances);
    return DecodeBlock(in, literals, distances, limit, out);
}

// The code lengths of a dynamic block, themselves Huffman-coded with run-length symbols.
bool ReadCodeLengths(BitReader& in, unsigned count, std::vector<unsigned>& lengths) {
    static constexpr std::array<int, 19> kOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    unsigned codeCount = 0;
    if (!in.Bits(4, codeCount)) return false;
    std::array<unsigned, 19> codeLengths{};
    for (unsigned i = 0; i < codeCount + 4; ++i)
        if (!in.Bits(3, codeLengths[kOrder[i]])) return false;
    Huffman lengthCode;
    if (!BuildHuffman(codeLengths.data(), codeLengths.size(), lengthCode)) return false;
    lengths.clear();
    while (lengths.size() < count) {
        unsigned symbol = 0, repeat = 0, value = 0;
        if (!DecodeSymbol(in, lengthCode, symbol)) return false;
        if (symbol < 16) {
            lengths.push_back(symbol);
            continue;
        }
        if (symbol == 16) {
            if (lengths.empty() || !in.Bits(2, repeat)) return false;
            value = lengths.back();
            repeat += 3;
        } else if (!in.Bits(symbol == 17 ? 3 : 7, repeat)) {
            return false;
        } else {
            repeat += symbol == 17 ? 3 : 11;
        }
        if (count - lengths.size() < repeat) return false;
        lengths.insert(lengths.end(), repeat, value);
    }
    return true;
}

bool DynamicBlock(BitReader& in, size_t limit, std::vector<char>& out) {
    unsigned literalCount = 0, distanceCount = 0;
    if (!in.Bits(5, literalCount) || !in.Bits(5, distanceCount)) return false;
    literalCount += 257;
    distanceCount += 1;
    if (literalCount > 286 || distanceCount > 30) return false;
    std::vector<unsigned> lengths;
    if (!ReadCodeLengths(in, literalCount + distanceCount, lengths) || lengths[256] == 0) return false;
    Huffman literals, distances;
    return BuildHuffman(lengths.data(), literalCount, literals) &&
           BuildHuffman(lengths.data() + literalCount, distanceCount, distances) &&
           DecodeBlock(in, literals, distances, limit, out);
}

} // namespace

bool Inflate(const std::vector<char>& deflated, size_t limit, std::vector<char>& out) {
    out.clear();
    BitReader in(deflated);
    unsigned last = 0;
    do {
        unsigned type = 0;
        if (!in.Bits(1, last) || !in.Bits(2, type)) return false;
        const bool read = type == 0   ? StoredBlock(in, limit, out)
                          : type == 1 ? FixedBlock(in, limit, out)
                          : type == 2 ? DynamicBlock(in, limit, out)
                                      : false;
        if (!read) return false;
    } while (last == 0);
    return true;
}
