// The package a user installs: a deflated zip of at most 0.5 MB with the x86 DLL at its root and
// the x64 DLL in x64/, each of the right machine and exporting only the entry point, and
// nothing else. The DLLs inside are the stripped ones that `make package` puts beside it.
#include "tests/support/inflate.h"
#include "tests/support/pe_image.h"
#include "tests/support/zip_archive.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string PackagePath() {
    // The package sits beside the x64 build's bin folder: build/foo_Trelvane.fb2k-component.
    const char* path = std::getenv("TRELVANE_PACKAGE");
    return path ? path : "..\\foo_Trelvane.fb2k-component";
}

// build/package/x86/foo_Trelvane.dll and build/package/x64/foo_Trelvane.dll, beside the package.
std::vector<char> StagedDll(const char* folder) {
    std::string package = PackagePath();
    std::string build = package.substr(0, package.find_last_of("\\/") + 1);
    return ReadWholeFile(Widen(build + "package\\" + folder + "\\foo_Trelvane.dll"));
}

const ZipEntry* Find(const std::vector<ZipEntry>& entries, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const ZipEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

class Package : public testing::Test {
protected:
    void SetUp() override {
        bytes = ReadWholeFile(Widen(PackagePath()));
        ASSERT_FALSE(bytes.empty()) << "no package: make package";
        ASSERT_TRUE(ReadZip(bytes, entries));
    }
    std::vector<char> bytes;
    std::vector<ZipEntry> entries;
};

TEST_F(Package, HoldsExactlyTheTwoDllsDeflatedWithinHalfAMegabyte) {
    std::vector<std::string> names;
    for (const ZipEntry& e : entries) {
        names.push_back(e.name);
        EXPECT_EQ(e.method, 8) << e.name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"foo_Trelvane.dll", "x64/foo_Trelvane.dll"}));
    EXPECT_LE(bytes.size(), 500000u);
}

TEST_F(Package, TheDllsInflateToTheBuiltOnesOfEachMachine) {
    const ZipEntry* x86 = Find(entries, "foo_Trelvane.dll");
    const ZipEntry* x64 = Find(entries, "x64/foo_Trelvane.dll");
    ASSERT_TRUE(x86 && x64);
    std::vector<char> builtX86 = StagedDll("x86"), builtX64 = StagedDll("x64");
    ASSERT_FALSE(builtX86.empty() || builtX64.empty()) << "no build/package/: make package";
    EXPECT_TRUE(x86->data == builtX86);
    EXPECT_TRUE(x64->data == builtX64);
    PeImage root = ReadPeImage(x86->data), wide = ReadPeImage(x64->data);
    ASSERT_TRUE(root.valid && wide.valid);
    EXPECT_EQ(root.machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_FALSE(root.pe32Plus);
    EXPECT_EQ(wide.machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_TRUE(wide.pe32Plus);
    for (const PeImage* image : {&root, &wide}) {
        const char* dll = image == &root ? "x86 DLL" : "x64 DLL";
        EXPECT_TRUE(image->isDll) << dll;
        EXPECT_EQ(image->exports, std::vector<std::string>{"foobar2000_get_interface"}) << dll;
    }
}

// Streams encoded by hand after RFC 1951: a stored block, and a fixed-Huffman block with a
// back-reference ("a", then 3 bytes from 1 back).
TEST(Inflate, ReadsStoredAndFixedBlocksAndRefusesDamage) {
    std::vector<char> out;
    ASSERT_TRUE(Inflate({0x01, 0x05, 0x00, char(0xFA), char(0xFF), 'h', 'e', 'l', 'l', 'o'}, 100, out)) << "stored";
    EXPECT_EQ(std::string(out.begin(), out.end()), "hello") << "stored";
    ASSERT_TRUE(Inflate({0x4B, 0x04, 0x02, 0x00}, 100, out)) << "fixed";
    EXPECT_EQ(std::string(out.begin(), out.end()), "aaaa") << "fixed";

    EXPECT_FALSE(Inflate({0x4B, 0x04, 0x02, 0x00}, 3, out)) << "grows past the limit";
    EXPECT_FALSE(Inflate({0x4B, 0x04}, 100, out)) << "cut off before its end";
    EXPECT_FALSE(Inflate({0x03, 0x02}, 100, out)) << "reference before the start";
    EXPECT_FALSE(Inflate({0x07}, 100, out)) << "block type 3";
    EXPECT_FALSE(Inflate({0x01, 0x05, 0x00, 0x00, 0x00, 'h'}, 100, out)) << "bad stored length";
}

TEST(ZipArchive, DamagedArchivesAreRefusedNotMisread) {
    std::vector<ZipEntry> entries;
    EXPECT_FALSE(ReadZip({}, entries)) << "empty";
    EXPECT_FALSE(ReadZip(std::vector<char>(100, 'x'), entries)) << "no signature";
    std::vector<char> header = {'P', 'K', 3, 4};
    header.resize(40, 0);
    header[18] = 0x7F; // a size running far past the end
    header[22] = 0x7F;
    EXPECT_FALSE(ReadZip(header, entries)) << "size past the end";
    // One deflated entry "a" holding the stream for "aaaa" but claiming 5 bytes, then the
    // central directory's signature.
    std::vector<char> entry = {'P', 'K', 3, 4};
    entry.resize(30, 0);
    entry[8] = 8;
    entry[18] = 4;
    entry[22] = 5;
    entry[26] = 1;
    entry.insert(entry.end(), {'a', 0x4B, 0x04, 0x02, 0x00, 'P', 'K', 1, 2});
    EXPECT_FALSE(ReadZip(entry, entries)) << "claims 5 bytes, inflates to 4";
    entry[22] = 4;
    ASSERT_TRUE(ReadZip(entry, entries)) << "claims the 4 bytes it inflates to";
    EXPECT_EQ(std::string(entries.at(0).data.begin(), entries.at(0).data.end()), "aaaa");
    entry[8] = 12; // bzip2
    EXPECT_FALSE(ReadZip(entry, entries)) << "bzip2";
}

} // namespace
