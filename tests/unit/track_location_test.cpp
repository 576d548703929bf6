// Locations of local files as the player hands them out, including the relative form that a
// portable installation keeps for files near it.
#include "player/track_location.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// The tests run in the build's bin folder, beside the test executable.
std::wstring ParentOfCurrentFolder() {
    wchar_t current[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring folder(current, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TEST(TrackLocation, AbsoluteFileAddressesGiveTheirPath) {
    EXPECT_EQ(LocalFileOfLocation("file://C:\\Music\\a.flac"), L"C:\\Music\\a.flac");
    EXPECT_EQ(LocalFileOfLocation("file://C:\\Musik\\\xC3\xA4.flac"), L"C:\\Musik\\\u00E4.flac") << "UTF-8";
}

TEST(TrackLocation, RelativeFileAddressesAreResolvedAgainstThePlayersFolder) {
    EXPECT_EQ(LocalFileOfLocation("file-relative://..\\tracks\\Tone 2.wav"),
              ParentOfCurrentFolder() + L"tracks\\Tone 2.wav");
    EXPECT_EQ(LocalFileOfLocation("file-relative://sub\\.\\b.mp3"), ParentOfCurrentFolder() + L"bin\\sub\\b.mp3");
}

TEST(TrackLocation, AnythingElseIsNoLocalFile) {
    EXPECT_EQ(LocalFileOfLocation(nullptr), L"");
    EXPECT_EQ(LocalFileOfLocation(""), L"");
    EXPECT_EQ(LocalFileOfLocation("http://radio.example.org/stream"), L"");
    EXPECT_EQ(LocalFileOfLocation("unpack://zip|12|file://C:\\a.zip|x.mp3"), L"");
    EXPECT_EQ(LocalFileOfLocation("file-relative://"), L"") << "no file named";
    EXPECT_EQ(LocalFileOfLocation("FILE://C:\\a.flac"), L"") << "the player's prefixes are lower case";
}

} // namespace
