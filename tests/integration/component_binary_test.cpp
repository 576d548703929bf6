// The built component as a file: a DLL of this build's machine whose only export is the entry
// point, bound to the player's shared.dll by the names that library really exports.
#include "tests/support/pe_image.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>

namespace {

#if defined(__i386__)
const WORD kMachine = IMAGE_FILE_MACHINE_I386;
const bool kPe32Plus = false;
// The player's x86 shared.dll: the tracker's members are __thiscall, the C functions __stdcall.
const std::vector<std::string> kSharedImports = {"??0uCallStackTracker@@QAE@PBD@Z", "??1uCallStackTracker@@QAE@XZ",
                                                 "_uBugCheck@0"};
#else
const WORD kMachine = IMAGE_FILE_MACHINE_AMD64;
const bool kPe32Plus = true;
const std::vector<std::string> kSharedImports = {"??0uCallStackTracker@@QEAA@PEBD@Z", "??1uCallStackTracker@@QEAA@XZ",
                                                 "uBugCheck"};
#endif

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ComponentBinary, IsADllOfThisMachineExportingOnlyTheEntryPoint) {
    PeImage image = ReadPeFile(L"foo_Trelvane.dll");
    ASSERT_TRUE(image.valid);
    EXPECT_EQ(image.machine, kMachine);
    EXPECT_EQ(image.pe32Plus, kPe32Plus);
    EXPECT_TRUE(image.isDll);
    EXPECT_EQ(image.exports, std::vector<std::string>{"foobar2000_get_interface"});
}

TEST(ComponentBinary, ImportsFromSharedDllExactlyThePlayersNames) {
    PeImage image = ReadPeFile(L"foo_Trelvane.dll");
    ASSERT_TRUE(image.valid);
    EXPECT_EQ(Sorted(image.ImportsFrom("shared.dll")), Sorted(kSharedImports));
}

// The stand-in shared.dll offers what the player's does, under the same names.
TEST(ComponentBinary, TheStandInSharedDllExportsThePlayersNames) {
    PeImage shared = ReadPeFile(L"shared.dll");
    ASSERT_TRUE(shared.valid);
    for (const std::string& name : kSharedImports)
        EXPECT_NE(std::find(shared.exports.begin(), shared.exports.end(), name), shared.exports.end()) << name;
}

TEST(ComponentBinary, NeedsNoMingwRuntimeLibrary) {
    PeImage image = ReadPeFile(L"foo_Trelvane.dll");
    for (const auto& library : image.imports) {
        std::string name = library.first;
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_EQ(name.find("libstdc++"), std::string::npos) << name;
        EXPECT_EQ(name.find("libgcc"), std::string::npos) << name;
        EXPECT_EQ(name.find("libwinpthread"), std::string::npos) << name;
    }
}

} // namespace
