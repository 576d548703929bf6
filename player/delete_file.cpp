// Deleting the playing file: after the user confirms, the track leaves its playlist,
// playback moves on, and the file goes to the Recycle Bin, retried until it is gone.
#include "player/Player.h"
#include "player/track_location.h"

#include "base/scoped_flag.h"
#include "base/text_convert.h"
#include "sdk/core_api.h"
#include "sdk/playback_control.h"
#include "sdk/playlist.h"
#include "sdk/boundary.h"
#include "sdk/shared/shared.h"
#include "tray/standard_commands.h"
#include <cstring>
#include <cwchar>
#include <deque>

namespace {

const wchar_t* const kCaption = L"Foobar2000 Trelvane";
const wchar_t* const kFailureText = L"Unable to delete this file, is it in a read-only location?\n\n";
const wchar_t* const kLockTestSuffix = L".deleted";
constexpr size_t kMessageCapacity = 1024; // not a resource id: wide characters
constexpr UINT kRetryPeriod = 1500;

bool deleteRunning = false;
// Set while Timer walks the queue: the shell's operation may run a message loop of its own,
// in which another tick would otherwise start a second walk.
bool retryRunning = false;
std::deque<std::wstring> pendingFiles;
Player::CRecycleFile recycler;

std::wstring Bounded(std::wstring text) {
    if (text.size() > kMessageCapacity - 1) text.resize(kMessageCapacity - 1);
    return text;
}

// The local file behind the playing track; empty for nothing playing, streams and anything
// that is no local file.
std::wstring PlayingFile() {
    metadb_handle_ptr track;
    if (!standard_api_create_t<playback_control>()->get_now_playing(track) || !track.is_valid()) return std::wstring();
    return LocalFileOfLocation(track->get_location().get_path());
}

// The main window is raised above everything for the question, and put back afterwards.
bool UserConfirms(HWND owner, const std::wstring& question, const std::wstring& file) {
    const UINT keep = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, keep);
    std::wstring text = Bounded(question + L"\n\n" + file);
    int answer = MessageBoxW(owner, text.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION);
    SetWindowPos(owner, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    return answer == IDYES;
}

void ReportFailure(HWND owner, const std::wstring& file) {
    std::wstring text = Bounded(kFailureText + file);
    MessageBoxW(owner, text.c_str(), kCaption, MB_ICONWARNING | MB_OK);
}

// Takes the playing track out of the playlist that holds it and moves playback on.
void RemoveFromPlaylistAndMoveOn(playlist_manager& playlists) {
    if (playlists.highlight_playing_item()) {
        t_size active = playlists.get_active_playlist();
        if (active != pfc_infinite) {
            bit_array_bittable selection(playlists.playlist_get_item_count(active));
            playlists.playlist_get_selection_mask(active, selection);
            playlists.playlist_remove_items(active, selection);
        }
    }
    if (playlists.activeplaylist_get_item_count() > 0 && Player::Playing()) RunNextCommand();
    else RunStopCommand();
}

// Whether the file can be moved: renamed away and back. The player may hold it open; then
// playback is stopped and the test made once more. False when it still cannot be moved.
bool FreeForRecycling(const std::wstring& file, bool& stoppedForDelete) {
    std::wstring target = file + kLockTestSuffix;
    stoppedForDelete = false;
    if (!MoveFileW(file.c_str(), target.c_str())) {
        RunStopCommand();
        if (!MoveFileW(file.c_str(), target.c_str())) return false;
        stoppedForDelete = true;
    }
    // Back under its own name, so the Recycle Bin keeps the file as the user knew it.
    MoveFileW(target.c_str(), file.c_str());
    return true;
}

void StartRetryTimer() { SetTimer(nullptr, 0, kRetryPeriod, &Player::Timer); }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

Player::CRecycleFile::CRecycleFile() : operation() {
    uCallStackTracker tracker("Player::CRecycleFile::CRecycleFile()");
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
}

size_t Player::LongestDeletablePath() {
    // The lock test renames the file to its name plus ".deleted", and that name, like every
    // path the rename and the Recycle Bin take, must stay below MAX_PATH with its terminator.
    return MAX_PATH - 1 - std::wcslen(kLockTestSuffix);
}

bool Player::CRecycleFile::Recycle(const std::wstring& path) {
    uCallStackTracker tracker("Player::CRecycleFile::Recycle()");
    // The shell wants the list of files ended by two NULs.
    std::wstring from = path;
    from.push_back(L'\0');
    // Each call fills in its own copy: a message loop inside the shell's operation may run
    // another Recycle before this one returns.
    SHFILEOPSTRUCTW call = operation;
    call.wFunc = FO_DELETE;
    call.pFrom = from.c_str();
    call.pTo = nullptr;
    SHFileOperationW(&call);
    return !FileExists(path);
}

void Player::Delete(const std::wstring& question) {
    uCallStackTracker tracker("Player::Delete()");
    if (deleteRunning) return;
    ScopedFlag guard(deleteRunning);
    if (Length() < 0) return;
    std::wstring file = PlayingFile();
    if (file.empty()) return;
    if (file.size() > LongestDeletablePath()) {
        ReportFailure(mainWindow, file);
        return;
    }
    if (!UserConfirms(mainWindow, question, file)) return;

    uCallStackTracker action("Player::Delete() doAction");
    service_ptr_t<playlist_manager> playlists = standard_api_create_t<playlist_manager>();
    RemoveFromPlaylistAndMoveOn(*playlists);
    bool stoppedForDelete = false;
    if (!FreeForRecycling(file, stoppedForDelete)) {
        ReportFailure(mainWindow, file);
        return;
    }
    if (!recycler.Recycle(file)) {
        pendingFiles.push_back(file);
        StartRetryTimer();
    } else if (stoppedForDelete && playlists->activeplaylist_get_item_count() > 0) {
        RunPlayCommand();
    }
}

void CALLBACK Player::Timer(HWND window, UINT, UINT_PTR id, DWORD) {
    uCallStackTracker tracker("Player::Timer()");
    fb2k::guarded([&] {
        // A tick that arrives while another walks the queue leaves it to that one.
        if (retryRunning) return;
        ScopedFlag guard(retryRunning);
        // The walk works on files taken out of the queue, so that a Delete confirmed meanwhile can
        // queue its file without disturbing the walk; the files still there go back in front.
        std::deque<std::wstring> walking;
        walking.swap(pendingFiles);
        std::deque<std::wstring> stillThere;
        for (const std::wstring& file : walking)
            if (!recycler.Recycle(file)) stillThere.push_back(file);
        pendingFiles.insert(pendingFiles.begin(), stillThere.begin(), stillThere.end());
        if (pendingFiles.empty()) KillTimer(window, id);
    });
}
