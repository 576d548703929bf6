// The stand-in player's configuration files, on the real (Wine) file system: damage of any
// kind is detected, a damaged file is set aside and kept, and a failed write keeps the old file.
#include "host/config_file.h"
#include "base/system_handles.h"
#include "host/config_store.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using fb2k_host::ConfigStore;
using Outcome = fb2k_host::ConfigStore::ReadOutcome;

const wchar_t* const kComponent = L"foo_Trelvane.dll";
const wchar_t* const kOther = L"foo_other.dll";

std::vector<char> RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<char> bytes(size);
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::vector<char> ReadFileBytes(const std::wstring& path) {
    std::vector<char> bytes;
    UniqueKernelHandle file =
        OwnFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    bytes.resize(GetFileSize(file.get(), nullptr));
    DWORD done = 0;
    if (!bytes.empty()) ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::vector<char>& bytes) {
    UniqueKernelHandle file = OwnFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD done = 0;
    if (!bytes.empty()) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ConfigFile, EveryChangedByteAndEveryCutIsDetected) {
    const std::vector<char> payload = RandomBytes(300, 1);
    const std::vector<char> file = fb2k_host::EncodeConfigFile(payload);
    std::vector<char> decoded;
    ASSERT_TRUE(fb2k_host::DecodeConfigFile(file, decoded));
    EXPECT_EQ(decoded, payload);
    for (size_t i = 0; i < file.size(); ++i) {
        std::vector<char> damaged = file;
        damaged[i] = static_cast<char>(damaged[i] ^ (1 << (i % 8)));
        ASSERT_FALSE(fb2k_host::DecodeConfigFile(damaged, decoded)) << "byte " << i;
    }
    for (size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(fb2k_host::DecodeConfigFile(std::vector<char>(file.begin(), file.begin() + length), decoded))
            << "cut at " << length;
    std::vector<char> longer = file;
    longer.push_back(0);
    EXPECT_FALSE(fb2k_host::DecodeConfigFile(longer, decoded));

    ASSERT_TRUE(fb2k_host::DecodeConfigFile(fb2k_host::EncodeConfigFile({}), decoded));
    EXPECT_TRUE(decoded.empty());
}

class ConfigFolder : public testing::Test {
protected:
    ConfigFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"trelvane-config-test-" + std::to_wstring(GetCurrentProcessId());
        folder = root + L"\\profile\\configuration";
    }
    ~ConfigFolder() override { RemoveTree(root); }

    static void RemoveTree(const std::wstring& path) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring child = path + L"\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
                else DeleteFileW(child.c_str());
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring root;
    std::wstring folder;
};

TEST_F(ConfigFolder, AWrittenConfigurationIsReadBackAndReplacedWhole) {
    ConfigStore store(folder);
    EXPECT_EQ(store.Read(kComponent).outcome, Outcome::Missing) << "a first start";
    const std::vector<char> first = RandomBytes(1000, 2); // not a resource id: a byte count
    ASSERT_TRUE(store.Write(kComponent, first)) << "the folder is created as needed";
    ConfigStore::ReadResult read = store.Read(kComponent);
    EXPECT_EQ(read.outcome, Outcome::Read) << "the first write";
    EXPECT_EQ(read.bytes, first);

    const std::vector<char> second = RandomBytes(10, 3);
    ASSERT_TRUE(store.Write(kComponent, second));
    EXPECT_EQ(store.Read(kComponent).bytes, second);
    ASSERT_TRUE(store.Write(kComponent, {}));
    read = store.Read(kComponent);
    EXPECT_EQ(read.outcome, Outcome::Read) << "an empty write";
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_FALSE(Exists(store.PathFor(kComponent) + L".new"));
}

TEST_F(ConfigFolder, ADamagedFileIsSetAsideKeptAndCostsNoOtherFile) {
    ConfigStore store(folder);
    const std::vector<char> other = RandomBytes(64, 4);
    ASSERT_TRUE(store.Write(kOther, other));
    const std::wstring path = store.PathFor(kComponent);

    const std::vector<std::vector<char>> damaged = {
        {},                                               // an empty file
        {'F', 'C', 'F'},                                  // shorter than a header
        RandomBytes(500, 5),                              // garbage
        fb2k_host::EncodeConfigFile(RandomBytes(100, 6)), // one byte changed, below
    };
    std::vector<std::wstring> setAside;
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<char> bytes = damaged[i];
        if (i == 3) bytes[50] ^= 0x10;
        WriteFileBytes(path, bytes);
        ConfigStore::ReadResult read = store.Read(kComponent);
        EXPECT_EQ(read.outcome, Outcome::SetAside);
        EXPECT_TRUE(read.bytes.empty());
        EXPECT_FALSE(Exists(path));
        EXPECT_EQ(ReadFileBytes(read.setAsidePath), bytes) << "kept as it was";
        setAside.push_back(read.setAsidePath);
    }
    EXPECT_EQ(setAside[0], path + L".corrupt");
    EXPECT_EQ(setAside[1], path + L".corrupt-2");
    for (const std::wstring& earlier : setAside)
        EXPECT_TRUE(Exists(earlier)) << "earlier ones are kept too: " << earlier;

    ConfigStore::ReadResult untouched = store.Read(kOther);
    EXPECT_EQ(untouched.outcome, Outcome::Read);
    EXPECT_EQ(untouched.bytes, other);
}

TEST_F(ConfigFolder, AWriteThatFailsKeepsTheFileWrittenBefore) {
    ConfigStore store(folder);
    const std::vector<char> saved = RandomBytes(200, 7);
    ASSERT_TRUE(store.Write(kComponent, saved));
    const std::wstring fresh = store.PathFor(kComponent) + L".new";

    // The new file cannot be created (a folder is in its place).
    ASSERT_TRUE(CreateDirectoryW(fresh.c_str(), nullptr));
    DWORD error = 0;
    EXPECT_FALSE(store.Write(kComponent, RandomBytes(200, 8), &error));
    EXPECT_NE(error, 0u);
    EXPECT_EQ(store.Read(kComponent).bytes, saved) << "after the failed write";
    RemoveDirectoryW(fresh.c_str());

    // A crash left half a new file behind: it is not the configuration, and the next write
    // goes over it.
    WriteFileBytes(fresh, RandomBytes(33, 9));
    EXPECT_EQ(store.Read(kComponent).bytes, saved) << "half a new file left behind";
    const std::vector<char> next = RandomBytes(50, 10);
    ASSERT_TRUE(store.Write(kComponent, next));
    EXPECT_EQ(store.Read(kComponent).bytes, next);
    EXPECT_FALSE(Exists(fresh));
}

TEST_F(ConfigFolder, AFileThatCannotBeOpenedIsNeitherReadNorSetAside) {
    ConfigStore store(folder);
    const std::vector<char> saved = RandomBytes(20, 11);
    ASSERT_TRUE(store.Write(kComponent, saved));
    UniqueKernelHandle lock =
        OwnFile(CreateFileW(store.PathFor(kComponent).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ConfigStore::ReadResult read = store.Read(kComponent);
    EXPECT_EQ(read.outcome, Outcome::Unreadable);
    EXPECT_EQ(read.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    lock.reset();
    EXPECT_EQ(store.Read(kComponent).bytes, saved) << "still there, unchanged";
}

} // namespace
