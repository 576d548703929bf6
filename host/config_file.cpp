#include "host/config_file.h"

#include <array>

namespace fb2k_host {

namespace {

// Fields are little-endian whatever the machine, so a file moves between builds.
void PutUint32(std::vector<char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t GetUint32(const std::vector<char>& in, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[offset + i]);
    return value;
}

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

std::uint32_t Crc32(const char* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<char> EncodeConfigFile(const std::vector<char>& payload) {
    std::vector<char> file;
    file.reserve(kConfigFileHeaderSize + payload.size());
    PutUint32(file, kConfigFileMagic);
    PutUint32(file, kConfigFileVersion);
    PutUint32(file, static_cast<std::uint32_t>(payload.size()));
    PutUint32(file, Crc32(payload.data(), payload.size()));
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

bool DecodeConfigFile(const std::vector<char>& file, std::vector<char>& payload) {
    if (file.size() < kConfigFileHeaderSize) return false;
    if (GetUint32(file, 0) != kConfigFileMagic || GetUint32(file, 4) != kConfigFileVersion) return false;
    std::uint32_t length = GetUint32(file, 8);
    if (length != file.size() - kConfigFileHeaderSize) return false;
    const char* body = file.data() + kConfigFileHeaderSize;
    if (Crc32(body, length) != GetUint32(file, 12)) return false;
    payload.assign(body, body + length);
    return true;
}

} // namespace fb2k_host
