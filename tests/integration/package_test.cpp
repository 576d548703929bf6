// The package a user installs: a zip with the x86 DLL at its root and the x64 DLL in x64/,
// each of the right machine and exporting only the entry point, and nothing else.
#include "tests/support/pe_image.h"
#include "tests/support/stored_zip.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>

namespace {

std::wstring PackagePath() {
    // The package sits beside the x64 build's bin folder: build/foo_Trelvane.fb2k-component.
    const char* bin = std::getenv("TRELVANE_PACKAGE");
    std::string path = bin ? bin : "..\\foo_Trelvane.fb2k-component";
    return std::wstring(path.begin(), path.end());
}

const StoredZipEntry* Find(const std::vector<StoredZipEntry>& entries, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const StoredZipEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

class Package : public testing::Test {
protected:
    void SetUp() override {
        std::vector<char> bytes = ReadWholeFile(PackagePath());
        ASSERT_FALSE(bytes.empty()) << "no package: make package";
        ASSERT_TRUE(ReadStoredZip(bytes, entries));
    }
    std::vector<StoredZipEntry> entries;
};

TEST_F(Package, HoldsExactlyTheTwoDlls) {
    std::vector<std::string> names;
    for (const StoredZipEntry& e : entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"foo_Trelvane.dll", "x64/foo_Trelvane.dll"}));
}

TEST_F(Package, TheRootDllIsX86AndTheOneInX64IsX64) {
    const StoredZipEntry* x86 = Find(entries, "foo_Trelvane.dll");
    const StoredZipEntry* x64 = Find(entries, "x64/foo_Trelvane.dll");
    ASSERT_TRUE(x86 && x64);
    PeImage root = ReadPeImage(x86->data), wide = ReadPeImage(x64->data);
    ASSERT_TRUE(root.valid && wide.valid);
    EXPECT_EQ(root.machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_FALSE(root.pe32Plus);
    EXPECT_EQ(wide.machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_TRUE(wide.pe32Plus);
    for (const PeImage* image : {&root, &wide}) {
        EXPECT_TRUE(image->isDll);
        EXPECT_EQ(image->exports, std::vector<std::string>{"foobar2000_get_interface"});
    }
}

TEST(StoredZip, DamagedArchivesAreRefusedNotMisread) {
    std::vector<StoredZipEntry> entries;
    EXPECT_FALSE(ReadStoredZip({}, entries));
    EXPECT_FALSE(ReadStoredZip(std::vector<char>(100, 'x'), entries));
    std::vector<char> header = {'P', 'K', 3, 4};
    header.resize(40, 0);
    header[18] = 0x7F;  // a size running far past the end
    header[22] = 0x7F;
    EXPECT_FALSE(ReadStoredZip(header, entries));
}

} // namespace
