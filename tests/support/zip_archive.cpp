#include "tests/support/zip_archive.h"

#include "tests/support/inflate.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034B50;
constexpr std::uint32_t kCentralHeader = 0x02014B50;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kHasDataDescriptor = 1 << 3;

template <typename T> bool At(const std::vector<char>& bytes, size_t offset, T& out) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, bytes.data() + offset, sizeof(T));
    return true;
}

bool Extract(std::uint16_t method, std::vector<char> packed, std::uint32_t size, std::vector<char>& out) {
    if (method == kStored) {
        out = std::move(packed);
        return out.size() == size;
    }
    return method == kDeflated && Inflate(packed, size, out) && out.size() == size;
}

} // namespace

bool ReadZip(const std::vector<char>& bytes, std::vector<ZipEntry>& entries) {
    entries.clear();
    size_t at = 0;
    for (;;) {
        std::uint32_t signature = 0;
        if (!At(bytes, at, signature)) return false;
        if (signature == kCentralHeader) return !entries.empty();
        if (signature != kLocalHeader) return false;
        std::uint16_t flags = 0, method = 0, nameLength = 0, extraLength = 0;
        std::uint32_t packedSize = 0, size = 0;
        if (!At(bytes, at + 6, flags) || !At(bytes, at + 8, method) || !At(bytes, at + 18, packedSize) ||
            !At(bytes, at + 22, size) || !At(bytes, at + 26, nameLength) || !At(bytes, at + 28, extraLength))
            return false;
        if (flags & kHasDataDescriptor) return false;
        size_t name = at + 30, data = name + nameLength + extraLength;
        if (data > bytes.size() || bytes.size() - data < packedSize) return false;
        ZipEntry entry;
        entry.name.assign(bytes.data() + name, nameLength);
        entry.method = method;
        std::vector<char> packed(bytes.begin() + static_cast<std::ptrdiff_t>(data),
                                 bytes.begin() + static_cast<std::ptrdiff_t>(data + packedSize));
        if (!Extract(method, std::move(packed), size, entry.data)) return false;
        entries.push_back(std::move(entry));
        at = data + packedSize;
    }
}
