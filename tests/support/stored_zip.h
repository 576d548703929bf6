#pragma once
// Reads a zip archive whose entries are stored uncompressed (as the packaging tool writes
// them), walking its local headers. Anything else (compressed entries, damage) is refused.
#include <string>
#include <vector>

struct StoredZipEntry {
    std::string name;
    std::vector<char> data;
};

// False when the archive is damaged or holds an entry it cannot read.
bool ReadStoredZip(const std::vector<char>& bytes, std::vector<StoredZipEntry>& entries);
