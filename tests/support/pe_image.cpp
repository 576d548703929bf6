#include "tests/support/pe_image.h"

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct Section {
    DWORD virtualAddress, virtualSize, rawPointer, rawSize;
};

class Reader {
public:
    explicit Reader(const std::vector<char>& bytes) : m_bytes(bytes) {}
    template <typename T> bool At(size_t offset, T& out) const {
        if (offset > m_bytes.size() || m_bytes.size() - offset < sizeof(T)) return false;
        std::memcpy(&out, m_bytes.data() + offset, sizeof(T));
        return true;
    }
    std::string StringAt(size_t offset) const {
        std::string text;
        while (offset < m_bytes.size() && m_bytes[offset]) text += m_bytes[offset++];
        return text;
    }
    size_t Size() const { return m_bytes.size(); }

private:
    const std::vector<char>& m_bytes;
};

size_t FileOffset(const std::vector<Section>& sections, DWORD rva) {
    for (const Section& s : sections)
        if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize))
            return rva - s.virtualAddress + s.rawPointer;
    return SIZE_MAX;
}

std::vector<std::string> ExportNames(const Reader& r, const std::vector<Section>& sections,
                                     const IMAGE_DATA_DIRECTORY& dir) {
    std::vector<std::string> names;
    IMAGE_EXPORT_DIRECTORY exports;
    if (!dir.VirtualAddress || !r.At(FileOffset(sections, dir.VirtualAddress), exports)) return names;
    size_t table = FileOffset(sections, exports.AddressOfNames);
    for (DWORD i = 0; i < exports.NumberOfNames; ++i) {
        DWORD nameRva = 0;
        if (!r.At(table + 4 * i, nameRva)) break;
        names.push_back(r.StringAt(FileOffset(sections, nameRva)));
    }
    return names;
}

template <typename Thunk>
std::vector<std::string> ImportedNames(const Reader& r, const std::vector<Section>& sections, DWORD thunkRva) {
    std::vector<std::string> names;
    const Thunk ordinalFlag = Thunk(1) << (sizeof(Thunk) * 8 - 1);
    for (size_t at = FileOffset(sections, thunkRva);; at += sizeof(Thunk)) {
        Thunk thunk = 0;
        if (!r.At(at, thunk) || thunk == 0) break;
        if (thunk & ordinalFlag) names.push_back("#" + std::to_string(thunk & 0xFFFF));
        else names.push_back(r.StringAt(FileOffset(sections, static_cast<DWORD>(thunk)) + 2));
    }
    return names;
}

} // namespace

std::vector<std::string> PeImage::ImportsFrom(const std::string& library) const {
    for (const auto& entry : imports)
        if (_stricmp(entry.first.c_str(), library.c_str()) == 0) return entry.second;
    return {};
}

PeImage ReadPeImage(const std::vector<char>& bytes) {
    PeImage image;
    Reader r(bytes);
    IMAGE_DOS_HEADER dos;
    DWORD signature = 0;
    IMAGE_FILE_HEADER file;
    if (!r.At(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return image;
    size_t nt = static_cast<size_t>(dos.e_lfanew);
    if (!r.At(nt, signature) || signature != IMAGE_NT_SIGNATURE || !r.At(nt + 4, file)) return image;
    size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic = 0;
    if (!r.At(optional, magic)) return image;
    image.machine = file.Machine;
    image.isDll = (file.Characteristics & IMAGE_FILE_DLL) != 0;
    image.pe32Plus = magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    size_t directories = optional + (image.pe32Plus ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                                    : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
    std::vector<Section> sections;
    size_t sectionTable = optional + file.SizeOfOptionalHeader;
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER h;
        if (!r.At(sectionTable + i * sizeof(h), h)) return image;
        sections.push_back({h.VirtualAddress, h.Misc.VirtualSize, h.PointerToRawData, h.SizeOfRawData});
    }
    IMAGE_DATA_DIRECTORY exportDir{}, importDir{};
    r.At(directories + IMAGE_DIRECTORY_ENTRY_EXPORT * sizeof(IMAGE_DATA_DIRECTORY), exportDir);
    r.At(directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(IMAGE_DATA_DIRECTORY), importDir);
    image.exports = ExportNames(r, sections, exportDir);
    size_t at = importDir.VirtualAddress ? FileOffset(sections, importDir.VirtualAddress) : SIZE_MAX;
    for (IMAGE_IMPORT_DESCRIPTOR d; at != SIZE_MAX && r.At(at, d) && d.Name; at += sizeof(d)) {
        DWORD thunks = d.OriginalFirstThunk ? d.OriginalFirstThunk : d.FirstThunk;
        std::vector<std::string> names =
            image.pe32Plus ? ImportedNames<ULONGLONG>(r, sections, thunks) : ImportedNames<DWORD>(r, sections, thunks);
        image.imports.push_back({r.StringAt(FileOffset(sections, d.Name)), names});
    }
    image.valid = true;
    return image;
}

std::vector<char> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

PeImage ReadPeFile(const std::wstring& path) { return ReadPeImage(ReadWholeFile(path)); }
