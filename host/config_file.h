#pragma once
// The layout of a component's configuration file: a header that makes damage detectable
// (magic, format version, payload length, CRC-32 of the payload), then the payload, which
// is the component's configuration stream exactly as its get_config wrote it.
#include <cstdint>
#include <vector>

namespace fb2k_host {

constexpr std::uint32_t kConfigFileMagic = 0x47464346; // "FCFG" in the file
constexpr std::uint32_t kConfigFileVersion = 1;
constexpr std::size_t kConfigFileHeaderSize = 16;

std::uint32_t Crc32(const char* data, std::size_t size);

std::vector<char> EncodeConfigFile(const std::vector<char>& payload);
// The payload of an intact file; false when the header, the length or the checksum is wrong.
bool DecodeConfigFile(const std::vector<char>& file, std::vector<char>& payload);

} // namespace fb2k_host
