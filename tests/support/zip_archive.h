#pragma once
// Reads a zip archive such as the component package, walking its local headers: each entry's
// name, compression method and contents (inflated when deflated).
#include <cstdint>
#include <string>
#include <vector>

struct ZipEntry {
    std::string name;
    std::uint16_t method = 0; // 0 stored, 8 deflated
    std::vector<char> data;   // the contents as extracted
};

// False when the archive is damaged or holds an entry it cannot read (another method, a data
// descriptor, contents that do not inflate to the size the header gives).
bool ReadZip(const std::vector<char>& bytes, std::vector<ZipEntry>& entries);
