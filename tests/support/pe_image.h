#pragma once
// Reads a Windows executable file as the loader would see it: machine, kind, exported names
// and the names imported from one library. Works for 32- and 64-bit images alike.
#include <cstdint>
#include <string>
#include <vector>

struct PeImage {
    bool valid = false;
    std::uint16_t machine = 0;
    bool pe32Plus = false;
    bool isDll = false;
    std::vector<std::string> exports;
    // Imported names per library, the library names as written in the file.
    std::vector<std::pair<std::string, std::vector<std::string>>> imports;

    // Names imported from `library` (compared ignoring case); "#n" for ordinals.
    std::vector<std::string> ImportsFrom(const std::string& library) const;
};

PeImage ReadPeImage(const std::vector<char>& bytes);
PeImage ReadPeFile(const std::wstring& path);
std::vector<char> ReadWholeFile(const std::wstring& path);
