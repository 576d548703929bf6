// Deleting the playing file: the question, the playlist, playback, the lock test and the
// Recycle Bin, with real files and message boxes answered at the import boundary.
#include "tests/support/call_stack.h"
#include "base/system_handles.h"
#include "host/main_menu.h"
#include "player/Player.h"
#include "tests/support/iat_hook.h"
#include "host/text.h"
#include "sdk/playlist.h"
#include "tests/support/in_process_host.h"

#include <gtest/gtest.h>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<std::string>;

struct AskedBox {
    std::wstring text;
    std::wstring caption;
    UINT type;
    bool ownerTopmost;
};

struct Dialogs {
    int answer = IDYES;
    std::vector<AskedBox> asked;
    std::function<void()> whileAsking;
} dialogs;

int WINAPI FakeMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    bool topmost = (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    dialogs.asked.push_back({text, caption, type, topmost});
    if (dialogs.whileAsking) dialogs.whileAsking();
    return (type & MB_YESNO) ? dialogs.answer : IDOK;
}

int recycleFailuresLeft = 0;
IatHook* shellHook = nullptr;

// The shell's operation may run a message loop, in which anything can happen: this runs once,
// inside the next operation, before it does its work.
std::function<void()> insideNextOperation;

struct Operations {
    std::vector<std::wstring> started; // the file of each operation, in order
    std::set<std::wstring> running;
    int overlapping = 0; // operations started on a file whose operation was still running
} operations;

int WINAPI FakeSHFileOperationW(LPSHFILEOPSTRUCTW operation) {
    std::wstring file = operation->pFrom;
    operations.started.push_back(file);
    if (!operations.running.insert(file).second) ++operations.overlapping;
    if (insideNextOperation) {
        std::function<void()> nested = std::move(insideNextOperation);
        insideNextOperation = nullptr;
        nested();
    }
    int result = ERROR_ACCESS_DENIED;
    if (recycleFailuresLeft > 0) --recycleFailuresLeft;
    else result = OriginalOf<int(WINAPI*)(LPSHFILEOPSTRUCTW)>(*shellHook)(operation);
    operations.running.erase(file);
    return result;
}

// One tick of the retry timer, as Windows delivers it.
void RetryTick() { Player::Timer(nullptr, WM_TIMER, 0, GetTickCount()); }

const std::wstring kQuestion = L"Do you want to delete the current playing song?";

class DeleteFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(messageBoxHook.Installed());
        ASSERT_TRUE(shellOperationHook.Installed());
        shellHook = &shellOperationHook;
        dialogs = Dialogs();
        recycleFailuresLeft = 0;
        insideNextOperation = nullptr;
        operations = Operations();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"trelvane-delete-test\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        Player::Attach();
    }
    void TearDown() override {
        for (const std::wstring& f : files) {
            DeleteFileW(f.c_str());
            DeleteFileW((f + L".deleted").c_str());
        }
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring MakeFile(const std::wstring& name) {
        std::wstring path = folder + name;
        UniqueKernelHandle file = OwnFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written;
        if (file) WriteFile(file.get(), "music", 5, &written, nullptr);
        files.push_back(path);
        return path;
    }
    fb2k_host::TrackInfo TrackOf(const std::wstring& path) {
        fb2k_host::TrackInfo t;
        t.path = fb2k_host::WideToUtf8(path);
        t.length = 100;
        return t;
    }
    // Plays item `playing` of a playlist made of the given files.
    void PlayFrom(const std::vector<std::wstring>& paths, int playing) {
        std::vector<fb2k_host::TrackInfo> tracks;
        for (const std::wstring& p : paths) tracks.push_back(TrackOf(p));
        playback().SetPlaylist(tracks);
        playback().Play();
        for (int i = 0; i < playing; ++i) playback().Next();
        standIn.host.Commands().Clear();
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    fb2k_host::PlaybackEngine& playback() { return standIn.playback(); }
    const Commands& executed() { return standIn.host.Commands().Executed(); }

    InProcessHost standIn;
    IatHook messageBoxHook{GetModuleHandleW(nullptr), "user32.dll", "MessageBoxW",
                           reinterpret_cast<void*>(&FakeMessageBoxW)};
    IatHook shellOperationHook{GetModuleHandleW(nullptr), "shell32.dll", "SHFileOperationW",
                               reinterpret_cast<void*>(&FakeSHFileOperationW)};
    std::wstring folder;
    std::vector<std::wstring> files;
};

TEST_F(DeleteFileTest, AConfirmedDeleteRemovesTheTrackMovesOnAndRecyclesTheFile) {
    std::wstring a = MakeFile(L"a.mp3"), b = MakeFile(L"b.mp3"), c = MakeFile(L"c.mp3");
    PlayFrom({a, b, c}, 1);
    Player::Delete(kQuestion);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, kQuestion + L"\n\n" + b);
    EXPECT_EQ(dialogs.asked[0].caption, L"Foobar2000 Trelvane");
    EXPECT_EQ(dialogs.asked[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(dialogs.asked[0].ownerTopmost) << "the player's window is raised for the question";
    EXPECT_FALSE(GetWindowLongPtrW(standIn.host.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    ASSERT_EQ(playback().Playlist().size(), 2u);
    EXPECT_EQ(playback().Playlist()[0].path, fb2k_host::WideToUtf8(a));
    EXPECT_EQ(playback().Playlist()[1].path, fb2k_host::WideToUtf8(c));
    EXPECT_EQ(executed(), (Commands{"Next"}));
    EXPECT_EQ(playback().Playlist()[static_cast<size_t>(playback().CurrentIndex())].path, fb2k_host::WideToUtf8(c));
    EXPECT_FALSE(Exists(b));
    EXPECT_FALSE(Exists(b + L".deleted"));
    EXPECT_TRUE(Exists(a));
}

TEST_F(DeleteFileTest, SayingNoChangesNothing) {
    std::wstring a = MakeFile(L"a.mp3");
    PlayFrom({a}, 0);
    dialogs.answer = IDNO;
    Player::Delete(kQuestion);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(playback().Playlist().size(), 1u);
    EXPECT_TRUE(playback().IsPlaying());
    EXPECT_TRUE(executed().empty());
    EXPECT_TRUE(Exists(a));
    EXPECT_FALSE(GetWindowLongPtrW(standIn.host.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(DeleteFileTest, StreamsAndSilenceAreNeverAskedAbout) {
    Player::Delete(kQuestion);
    playback().SetPlaylist({StreamTrack()});
    playback().Play();
    Player::Delete(kQuestion);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DeleteFileTest, TheLastItemStopsPlaybackAndIsNotReplayed) {
    std::wstring a = MakeFile(L"only.mp3");
    PlayFrom({a}, 0);
    Player::Delete(kQuestion);
    EXPECT_TRUE(playback().Playlist().empty());
    EXPECT_EQ(executed(), (Commands{"Stop"}));
    EXPECT_FALSE(Exists(a));
}

TEST_F(DeleteFileTest, AFileThePlayerHoldsIsFreedByStoppingAndPlaybackResumes) {
    std::wstring a = MakeFile(L"held.mp3"), b = MakeFile(L"next.mp3");
    PlayFrom({a, b}, 0);
    // The player holds the playing file open until playback stops.
    UniqueKernelHandle held =
        OwnFile(CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    standIn.host.Commands().Observe([&held](const std::string& command) {
        if (command == "Stop") held.reset();
    });
    Player::Delete(kQuestion);
    standIn.host.Commands().Observe(nullptr);
    EXPECT_EQ(executed(), (Commands{"Next", "Stop", "Play"}));
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(a + L".deleted")) << "the file went to the Recycle Bin under its own name";
}

TEST_F(DeleteFileTest, AFileThatStaysLockedIsReportedAndKept) {
    std::wstring a = MakeFile(L"locked.mp3"), b = MakeFile(L"other.mp3");
    PlayFrom({a, b}, 0);
    UniqueKernelHandle held =
        OwnFile(CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    Player::Delete(kQuestion);
    held.reset();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text, L"Unable to delete this file, is it in a read-only location?\n\n" + a);
    EXPECT_EQ(dialogs.asked[1].type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ(playback().Playlist().size(), 1u) << "the track has already left the playlist";
}

TEST_F(DeleteFileTest, AFileTheRecycleBinRefusesIsRetriedUntilItIsGone) {
    std::wstring a = MakeFile(L"stubborn.mp3"), b = MakeFile(L"keep.mp3");
    PlayFrom({a, b}, 0);
    recycleFailuresLeft = 2; // the move at Delete and at the first retry fail
    Player::Delete(kQuestion);
    EXPECT_TRUE(Exists(a)) << "the move at Delete failed";
    EXPECT_TRUE(fb2k_host::PumpMessagesUntil([&] { return !Exists(a); }, 6000));
    EXPECT_EQ(recycleFailuresLeft, 0);
    EXPECT_TRUE(Exists(b));
}

TEST_F(DeleteFileTest, ASecondDeleteWhileTheFirstAsksReturnsAtOnce) {
    std::wstring a = MakeFile(L"a.mp3");
    PlayFrom({a}, 0);
    dialogs.answer = IDNO;
    dialogs.whileAsking = [] {
        dialogs.whileAsking = nullptr;
        Player::Delete(kQuestion);
    };
    Player::Delete(kQuestion);
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the delete made while asking asks nothing";
    Player::Delete(kQuestion);
    EXPECT_EQ(dialogs.asked.size(), 2u) << "the guard is released again";
}

TEST_F(DeleteFileTest, ThePathLimitLeavesRoomForTheLockTestName) {
    // Every path must stay below MAX_PATH (260) with its terminator, the lock test's name too:
    // 259 characters less ".deleted".
    EXPECT_EQ(Player::LongestDeletablePath(), 251u);
}

TEST_F(DeleteFileTest, ALongPathIsHandledWholeOrRefusedBeforeAnythingChanges) {
    auto pathOf = [this](size_t length) { return folder + std::wstring(length - folder.size() - 4, L'x') + L".mp3"; };
    std::wstring whole = MakeFile(pathOf(251).substr(folder.size()));
    ASSERT_EQ(whole.size(), 251u);
    PlayFrom({whole, MakeFile(L"b.mp3")}, 0);
    Player::Delete(kQuestion);
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the question only";
    EXPECT_FALSE(Exists(whole));

    // Longer paths would fail at the lock test or in the Recycle Bin on Windows, after the
    // track had left the playlist; they are refused before the question.
    for (size_t length : {252u, 259u, 300u}) {
        std::wstring path = pathOf(length);
        if (length < 300) MakeFile(path.substr(folder.size()));
        std::wstring other = MakeFile(L"other.mp3");
        PlayFrom({path, other}, 0);
        dialogs.asked.clear();
        Player::Delete(kQuestion);
        ASSERT_EQ(dialogs.asked.size(), 1u) << length;
        EXPECT_EQ(dialogs.asked[0].text, L"Unable to delete this file, is it in a read-only location?\n\n" + path)
            << length;
        EXPECT_EQ(playback().Playlist().size(), 2u) << length;
        EXPECT_TRUE(playback().IsPlaying()) << length;
        EXPECT_TRUE(executed().empty()) << length;
        if (length < 300) {
            EXPECT_TRUE(Exists(path)) << length;
        }
    }
}

TEST_F(DeleteFileTest, AFileDeletedWhileTheRetryRunsIsKeptAndRecycledLater) {
    std::wstring a = MakeFile(L"a.mp3"), b = MakeFile(L"b.mp3"), c = MakeFile(L"c.mp3");
    PlayFrom({a, b, c}, 0);
    recycleFailuresLeft = 1;
    Player::Delete(kQuestion); // a waits in the queue
    ASSERT_TRUE(Exists(a));

    // The next retry's operation on a runs a message loop in which b is deleted; the Recycle
    // Bin refuses both for now.
    recycleFailuresLeft = 2;
    insideNextOperation = [] { Player::Delete(kQuestion); };
    RetryTick();
    EXPECT_EQ(operations.started, (std::vector<std::wstring>{a, a, b}));
    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));
    EXPECT_TRUE(fb2k_host::PumpMessagesUntil([&] { return !Exists(a) && !Exists(b); }, 6000))
        << "a " << Exists(a) << ", b " << Exists(b);
    EXPECT_TRUE(Exists(c));
}

TEST_F(DeleteFileTest, ATickInsideTheRetrysOperationLeavesTheWalkToIt) {
    std::wstring a = MakeFile(L"a.mp3"), b = MakeFile(L"b.mp3");
    PlayFrom({a, b}, 0);
    recycleFailuresLeft = 1;
    Player::Delete(kQuestion);
    ASSERT_TRUE(Exists(a));
    operations = Operations();

    insideNextOperation = [] { RetryTick(); };
    RetryTick();
    EXPECT_EQ(operations.overlapping, 0) << "a second walk handed the same file to the shell again";
    EXPECT_EQ(operations.started, (std::vector<std::wstring>{a}));
    EXPECT_FALSE(Exists(a));
    // The queue is empty: the next tick has nothing to do.
    RetryTick();
    EXPECT_EQ(operations.started.size(), 1u) << "a tick with an empty queue";
}

TEST_F(DeleteFileTest, AMissingPlaylistServiceFailsOutwardAndReleasesTheGuard) {
    std::wstring a = MakeFile(L"a.mp3");
    PlayFrom({a}, 0);
    standIn.host.UnregisterServices(playlist_manager::class_guid);
    EXPECT_THROW(Player::Delete(kQuestion), exception_service_not_found);
    dialogs.answer = IDNO;
    Player::Delete(kQuestion);
    EXPECT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(OpenScopeCount(), 0u);
}

} // namespace
