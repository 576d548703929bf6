#pragma once
// A simulated playback engine behind playback_control: a playlist of tracks, transport,
// volume, and a position that advances only when the clock is advanced (by a test, or by
// the stand-in player's real-time timer), so tests are deterministic.
#include "sdk/play_callback.h"
#include <windows.h>
#include <map>
#include <string>
#include <vector>

namespace fb2k_host {

struct TrackInfo {
    std::string path;                        // a file path, or a stream address such as http://...
    double length = 0;                       // seconds; 0 for a stream (which cannot seek)
    std::map<std::string, std::string> meta; // artist, title, album, tracknumber, ...
};

class PlaybackEngine {
public:
    PlaybackEngine();
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // The playlist. Replacing it stops playback.
    void SetPlaylist(const std::vector<TrackInfo>& tracks);
    const std::vector<TrackInfo>& Playlist() const { return m_playlist; }
    // Removes an item; the playing track goes on playing even when it is the one removed.
    void RemoveTrack(size_t index);
    bool PlayingItemInPlaylist() const;
    int CurrentIndex() const { return m_current; }

    // Transport, as the player's own commands perform it.
    void Play();
    void Stop();
    void Pause(bool paused);
    void TogglePause();
    void Next();
    void Previous();
    void Seek(double seconds);
    // Starts playback already paused (as a resumed session would).
    void PlayPaused();

    // The clock: moves the position; at the end of a track the next one starts, after the
    // last one playback stops.
    void Advance(double seconds);

    bool IsPlaying() const { return m_playing; }
    bool IsPaused() const { return m_paused; }
    double Position() const { return m_position; }
    float VolumeDb() const { return m_volumeDb; }
    void SetVolumeDb(float db);
    bool CanSeek() const;
    // A track with a length the decoder reports as negative, for robustness tests.
    void OverrideLength(double seconds) {
        m_lengthOverride = seconds;
        m_hasLengthOverride = true;
    }
    // Makes playback_can_seek answer this whatever the track.
    void OverrideCanSeek(bool canSeek) {
        m_canSeekOverride = canSeek;
        m_hasCanSeekOverride = true;
    }

    // How the player starts a track. Like the real player, the engine stops the old track and
    // says that the new one is starting before the command returns; with `announceAfterMs`
    // above 0 it announces the new track (on_playback_new_track) only later, from the message
    // loop, as the real player does once the file is open. `busyMs` keeps this thread busy
    // just before that announcement, as opening a file on a slow drive does: input that
    // comes meanwhile waits, and reaches the component while it handles the announcement.
    void SetTrackOpening(DWORD announceAfterMs, DWORD busyMs);
    // True while a started track has not been announced yet.
    bool TrackOpening() const { return m_announceTimer != 0; }
    // Announces a started track now rather than when its time comes.
    void AnnounceNow() {
        if (TrackOpening()) AnnounceTrack();
    }
    // Transport commands given from inside a playback callback: the real player does not take
    // them (it drops them, or stops playback), and neither does the engine. Counted here.
    int CommandsRefusedInCallbacks() const { return m_refusedInCallbacks; }

    // How often each playback_control operation was called, by name.
    int CallCount(const std::string& operation) const;
    void ResetCallCounts() {
        m_callCounts.clear();
        m_callScopes.clear();
    }
    // The innermost call-stack scope the caller had open at its last call of the operation.
    std::string LastCallScope(const std::string& operation) const;

    service_ptr_t<playback_control> ControlService() { return m_control; }
    service_ptr_t<play_callback_manager> CallbackManagerService() { return m_callbackManager; }
    metadb_handle_ptr NowPlaying();
    metadb_handle_ptr MakeHandle(const TrackInfo& track);

    // Used by the service objects.
    void CountCall(const char* operation);
    void RegisterCallback(play_callback* callback, unsigned flags, bool forward);
    void UnregisterCallback(play_callback* callback);
    // Drops the callbacks whose objects live in a module about to be unloaded.
    void UnregisterCallbacksIn(HMODULE module);
    size_t CallbackCount() const { return m_callbacks.size(); }
    double NowPlayingLength();

private:
    struct Registration {
        play_callback* callback;
        unsigned flags;
    };
    template <typename F> void Notify(unsigned flag, F&& call);
    // False (and counted) for a transport command given from inside a playback callback.
    bool TakesCommand();
    void AnnounceTrack();
    void CancelAnnouncement();
    static void CALLBACK AnnounceTimerProc(HWND, UINT, UINT_PTR, DWORD);
    void StartTrack(int index, bool paused);
    int StartIndex() const;
    int FollowingIndex() const;
    void EndOfPlayback();

    std::vector<TrackInfo> m_playlist;
    int m_current = -1;
    bool m_currentRemoved = false;
    bool m_playing = false;
    bool m_paused = false;
    double m_position = 0;
    float m_volumeDb = 0;
    double m_lengthOverride = 0;
    bool m_hasLengthOverride = false;
    bool m_canSeekOverride = false;
    bool m_hasCanSeekOverride = false;
    metadb_handle_ptr m_nowPlaying;
    std::vector<Registration> m_callbacks;
    int m_notifying = 0;
    int m_refusedInCallbacks = 0;
    DWORD m_announceAfter = 0;
    DWORD m_openBusy = 0;
    UINT_PTR m_announceTimer = 0;
    std::map<std::string, int> m_callCounts;
    std::map<std::string, std::string> m_callScopes;
    service_ptr_t<playback_control> m_control;
    service_ptr_t<play_callback_manager> m_callbackManager;
};

} // namespace fb2k_host
