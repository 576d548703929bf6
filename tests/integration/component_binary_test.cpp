// The built component as a file: a 64-bit Windows DLL whose only export is the entry point.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<char> ReadWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Maps a relative virtual address to its offset in the file.
size_t FileOffset(const IMAGE_NT_HEADERS64* nt, DWORD rva) {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
            return rva - section->VirtualAddress + section->PointerToRawData;
    }
    return 0;
}

TEST(ComponentBinary, IsA64BitDllExportingOnlyTheEntryPoint) {
    std::vector<char> image = ReadWholeFile("foo_Trelvane.dll");
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC) << "PE32+";
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);

    const IMAGE_DATA_DIRECTORY& exports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(exports.VirtualAddress, 0u);
    auto directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(image.data() + FileOffset(nt, exports.VirtualAddress));
    EXPECT_EQ(directory->NumberOfFunctions, 1u);
    ASSERT_EQ(directory->NumberOfNames, 1u);
    auto names = reinterpret_cast<const DWORD*>(image.data() + FileOffset(nt, directory->AddressOfNames));
    EXPECT_STREQ(image.data() + FileOffset(nt, names[0]), "foobar2000_get_interface");
}

TEST(ComponentBinary, NeedsNoMingwRuntimeLibrary) {
    HMODULE module = LoadLibraryW(L"foo_Trelvane.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"libstdc++-6.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"libgcc_s_seh-1.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"libwinpthread-1.dll"), nullptr);
    FreeLibrary(module);
}

} // namespace
