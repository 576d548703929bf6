#include "host/playback_engine.h"

#include "host/call_stack.h"
#include "host/titleformat.h"
#include "sdk/shared/shared.h"
#include <algorithm>

namespace fb2k_host {

namespace {

class Location : public playable_location {
public:
    const char* get_path() const override { return m_path.c_str(); }
    void set_path(const char* path) override { m_path = path ? path : ""; }
    t_uint32 get_subsong() const override { return m_subsong; }
    void set_subsong(t_uint32 subsong) override { m_subsong = subsong; }

private:
    std::string m_path;
    t_uint32 m_subsong = 0;
};

class LengthInfo : public file_info {
public:
    double get_length() const override { return m_length; }
    void set_length(double seconds) override { m_length = seconds; }

private:
    double m_length = 0;
};

class InfoContainer : public metadb_info_container {
public:
    explicit InfoContainer(double length) { m_info.set_length(length); }
    const file_info& info() const override { return m_info; }

private:
    LengthInfo m_info;
};

class Track : public metadb_handle {
public:
    Track(const TrackInfo& info, PlaybackEngine* engine) : m_info(info), m_engine(engine) {
        // Local files are located by "file://" addresses, as the player does.
        bool address = info.path.find("://") != std::string::npos;
        m_location.set_path(((address ? "" : "file://") + info.path).c_str());
    }
    const playable_location& get_location() const override { return m_location; }
    bool format_title(titleformat_hook*, pfc::string_base& out, const service_ptr_t<titleformat_object>& script,
                      titleformat_text_filter*) override {
        out.set_string(script.is_valid() ? FormatTrack(script.get_ptr(), m_info).c_str() : "");
        return true;
    }
    service_ptr_t<metadb_info_container>* get_info_ref(service_ptr_t<metadb_info_container>* out) const override {
        double length = m_engine ? m_engine->NowPlayingLength() : m_info.length;
        return construct_result(out, service_ptr_t<metadb_info_container>(new service_impl_t<InfoContainer>(length)));
    }
    const TrackInfo& info() const { return m_info; }

private:
    TrackInfo m_info;
    PlaybackEngine* m_engine;
    Location m_location;
};

class Control : public playback_control {
public:
    explicit Control(PlaybackEngine* engine) : m_engine(engine) {}
    bool get_now_playing(metadb_handle_ptr& out) override {
        m_engine->CountCall("get_now_playing");
        out = m_engine->NowPlaying();
        return out.is_valid();
    }
    void start(t_track_command, bool paused) override {
        m_engine->CountCall("start");
        if (paused) m_engine->PlayPaused();
        else m_engine->Play();
    }
    void stop() override {
        m_engine->CountCall("stop");
        m_engine->Stop();
    }
    bool is_playing() override {
        m_engine->CountCall("is_playing");
        return m_engine->IsPlaying();
    }
    bool is_paused() override {
        m_engine->CountCall("is_paused");
        return m_engine->IsPaused();
    }
    void pause(bool state) override {
        m_engine->CountCall("pause");
        m_engine->Pause(state);
    }
    bool get_stop_after_current() override {
        m_engine->CountCall("get_stop_after_current");
        return m_stopAfterCurrent;
    }
    void set_stop_after_current(bool state) override {
        m_engine->CountCall("set_stop_after_current");
        m_stopAfterCurrent = state;
    }
    void set_volume(float db) override {
        m_engine->CountCall("set_volume");
        m_engine->SetVolumeDb(db);
    }
    float get_volume() override {
        m_engine->CountCall("get_volume");
        return m_engine->VolumeDb();
    }
    void volume_up() override {
        m_engine->CountCall("volume_up");
        m_engine->SetVolumeDb(m_engine->VolumeDb() + 1);
    }
    void volume_down() override {
        m_engine->CountCall("volume_down");
        m_engine->SetVolumeDb(m_engine->VolumeDb() - 1);
    }
    void volume_mute_toggle() override {
        m_engine->CountCall("volume_mute_toggle");
        m_engine->SetVolumeDb(m_engine->VolumeDb() > volume_mute ? volume_mute : 0.0f);
    }
    void playback_seek(double seconds) override {
        m_engine->CountCall("playback_seek");
        m_engine->Seek(seconds);
    }
    void playback_seek_delta(double seconds) override {
        m_engine->CountCall("playback_seek_delta");
        m_engine->Seek(m_engine->Position() + seconds);
    }
    bool playback_can_seek() override {
        m_engine->CountCall("playback_can_seek");
        return m_engine->CanSeek();
    }
    double playback_get_position() override {
        m_engine->CountCall("playback_get_position");
        return m_engine->Position();
    }
    bool playback_format_title(titleformat_hook* hook, pfc::string_base& out,
                               const service_ptr_t<titleformat_object>& script, titleformat_text_filter* filter,
                               t_display_level) override {
        m_engine->CountCall("playback_format_title");
        metadb_handle_ptr track = m_engine->NowPlaying();
        if (!track.is_valid()) return false;
        return track->format_title(hook, out, script, filter);
    }

private:
    PlaybackEngine* m_engine;
    bool m_stopAfterCurrent = false;
};

class CallbackManager : public play_callback_manager {
public:
    explicit CallbackManager(PlaybackEngine* engine) : m_engine(engine) {}
    void register_callback(play_callback* callback, unsigned flags, bool forward) override {
        m_engine->RegisterCallback(callback, flags, forward);
    }
    void unregister_callback(play_callback* callback) override { m_engine->UnregisterCallback(callback); }

private:
    PlaybackEngine* m_engine;
};

} // namespace

PlaybackEngine::PlaybackEngine()
    : m_control(new service_impl_t<Control>(this)), m_callbackManager(new service_impl_t<CallbackManager>(this)) {}

PlaybackEngine::~PlaybackEngine() { CancelAnnouncement(); }

template <typename F> void PlaybackEngine::Notify(unsigned flag, F&& call) {
    // A copy: a callback may register or unregister while being notified.
    std::vector<Registration> callbacks = m_callbacks;
    ++m_notifying;
    for (const Registration& r : callbacks)
        if (r.flags & flag) call(r.callback);
    --m_notifying;
}

void PlaybackEngine::SetPlaylist(const std::vector<TrackInfo>& tracks) {
    if (m_playing) Stop();
    m_playlist = tracks;
    m_current = m_playlist.empty() ? -1 : 0;
}

void PlaybackEngine::RemoveTrack(size_t index) {
    if (index >= m_playlist.size()) return;
    int removed = static_cast<int>(index);
    m_playlist.erase(m_playlist.begin() + static_cast<std::ptrdiff_t>(index));
    // The playing track goes on playing; "next" is then the item that took its place.
    if (removed == m_current) m_currentRemoved = true;
    else if (m_current > removed) --m_current;
}

bool PlaybackEngine::PlayingItemInPlaylist() const {
    return m_playing && !m_currentRemoved && m_current >= 0 && m_current < static_cast<int>(m_playlist.size());
}

metadb_handle_ptr PlaybackEngine::MakeHandle(const TrackInfo& track) {
    return metadb_handle_ptr(new service_impl_t<Track>(track, nullptr));
}

metadb_handle_ptr PlaybackEngine::NowPlaying() { return m_playing ? m_nowPlaying : metadb_handle_ptr(); }

double PlaybackEngine::NowPlayingLength() {
    if (!m_playing || !m_nowPlaying.is_valid()) return 0;
    if (m_hasLengthOverride) return m_lengthOverride;
    return static_cast<Track*>(m_nowPlaying.get_ptr())->info().length;
}

bool PlaybackEngine::CanSeek() const {
    if (m_hasCanSeekOverride) return m_canSeekOverride;
    if (!m_playing || !m_nowPlaying.is_valid()) return false;
    return static_cast<Track*>(m_nowPlaying.get_ptr())->info().length > 0;
}

bool PlaybackEngine::TakesCommand() {
    if (m_notifying == 0) return true;
    ++m_refusedInCallbacks;
    return false;
}

// One engine announces at a time: the stand-in player has one.
namespace {
PlaybackEngine* g_announcing = nullptr;
}

void PlaybackEngine::SetTrackOpening(DWORD announceAfterMs, DWORD busyMs) {
    m_announceAfter = announceAfterMs;
    m_openBusy = busyMs;
}

void CALLBACK PlaybackEngine::AnnounceTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (g_announcing) g_announcing->AnnounceTrack();
}

void PlaybackEngine::CancelAnnouncement() {
    if (!m_announceTimer) return;
    KillTimer(nullptr, m_announceTimer);
    m_announceTimer = 0;
    g_announcing = nullptr;
}

void PlaybackEngine::AnnounceTrack() {
    CancelAnnouncement();
    if (!m_playing) return;
    if (m_openBusy) Sleep(m_openBusy);
    metadb_handle_ptr track = m_nowPlaying;
    Notify(play_callback::flag_on_playback_new_track,
           [&track](play_callback* c) { c->on_playback_new_track(hand_over(track)); });
}

void PlaybackEngine::StartTrack(int index, bool paused) {
    CancelAnnouncement();
    bool wasPlaying = m_playing;
    if (wasPlaying) {
        Notify(play_callback::flag_on_playback_stop,
               [](play_callback* c) { c->on_playback_stop(playback_control::stop_reason_starting_another); });
    }
    m_current = index;
    m_currentRemoved = false;
    m_playing = true;
    m_paused = paused;
    m_position = 0;
    m_nowPlaying = metadb_handle_ptr(new service_impl_t<Track>(m_playlist[static_cast<size_t>(index)], this));
    Notify(play_callback::flag_on_playback_starting,
           [paused](play_callback* c) { c->on_playback_starting(playback_control::track_command_play, paused); });
    if (m_announceAfter == 0) {
        AnnounceTrack();
        return;
    }
    g_announcing = this;
    m_announceTimer = SetTimer(nullptr, 0, m_announceAfter, &PlaybackEngine::AnnounceTimerProc);
}

void PlaybackEngine::Play() {
    if (!TakesCommand()) return;
    if (m_playing && m_paused) {
        Pause(false);
        return;
    }
    if (m_playing || m_playlist.empty()) return;
    StartTrack(StartIndex(), false);
}

int PlaybackEngine::StartIndex() const {
    if (m_current < 0 || m_current >= static_cast<int>(m_playlist.size())) return 0;
    return m_current;
}

void PlaybackEngine::PlayPaused() {
    if (m_playing || m_playlist.empty()) return;
    StartTrack(StartIndex(), true);
}

void PlaybackEngine::Stop() {
    if (!TakesCommand()) return;
    CancelAnnouncement();
    if (!m_playing) return;
    m_playing = false;
    m_paused = false;
    m_position = 0;
    m_nowPlaying.release();
    Notify(play_callback::flag_on_playback_stop,
           [](play_callback* c) { c->on_playback_stop(playback_control::stop_reason_user); });
}

void PlaybackEngine::Pause(bool paused) {
    if (!TakesCommand()) return;
    if (!m_playing || m_paused == paused) return;
    m_paused = paused;
    Notify(play_callback::flag_on_playback_pause, [paused](play_callback* c) { c->on_playback_pause(paused); });
}

void PlaybackEngine::TogglePause() {
    if (!m_playing) Play();
    else Pause(!m_paused);
}

int PlaybackEngine::FollowingIndex() const { return m_currentRemoved ? m_current : m_current + 1; }

void PlaybackEngine::Next() {
    if (!TakesCommand()) return;
    if (m_playlist.empty()) return;
    int next = FollowingIndex();
    if (next < 0 || next >= static_cast<int>(m_playlist.size())) next = 0;
    StartTrack(next, false);
}

void PlaybackEngine::Previous() {
    if (!TakesCommand()) return;
    if (m_playlist.empty()) return;
    int previous = m_current - 1;
    if (previous < 0 || previous >= static_cast<int>(m_playlist.size()))
        previous = static_cast<int>(m_playlist.size()) - 1;
    StartTrack(previous, false);
}

void PlaybackEngine::EndOfPlayback() {
    CancelAnnouncement();
    m_playing = false;
    m_paused = false;
    m_position = 0;
    m_nowPlaying.release();
    Notify(play_callback::flag_on_playback_stop,
           [](play_callback* c) { c->on_playback_stop(playback_control::stop_reason_eof); });
}

void PlaybackEngine::Seek(double seconds) {
    if (!m_playing || !CanSeek()) return;
    double length = NowPlayingLength();
    m_position = std::max(0.0, length > 0 ? std::min(seconds, length) : seconds);
    double position = m_position;
    Notify(play_callback::flag_on_playback_seek, [position](play_callback* c) { c->on_playback_seek(position); });
}

void PlaybackEngine::SetVolumeDb(float db) {
    m_volumeDb = std::max(-100.0f, std::min(0.0f, db));
    float volume = m_volumeDb;
    Notify(play_callback::flag_on_volume_change, [volume](play_callback* c) { c->on_volume_change(volume); });
}

void PlaybackEngine::Advance(double seconds) {
    if (!m_playing || m_paused || seconds <= 0) return;
    m_position += seconds;
    double length = NowPlayingLength();
    if (length > 0 && m_position >= length) {
        int next = FollowingIndex();
        if (next < static_cast<int>(m_playlist.size())) StartTrack(next, false);
        else EndOfPlayback();
        return;
    }
    double position = m_position;
    Notify(play_callback::flag_on_playback_time, [position](play_callback* c) { c->on_playback_time(position); });
}

void PlaybackEngine::CountCall(const char* operation) {
    ++m_callCounts[operation];
    m_callScopes[operation] = InnermostScope();
}

std::string PlaybackEngine::LastCallScope(const std::string& operation) const {
    auto it = m_callScopes.find(operation);
    return it == m_callScopes.end() ? std::string() : it->second;
}

int PlaybackEngine::CallCount(const std::string& operation) const {
    auto it = m_callCounts.find(operation);
    return it == m_callCounts.end() ? 0 : it->second;
}

void PlaybackEngine::RegisterCallback(play_callback* callback, unsigned flags, bool forward) {
    m_callbacks.push_back({callback, flags});
    if (!forward || !m_playing) return;
    // Report the playback already going on, as if it had just started.
    if (flags & play_callback::flag_on_playback_starting)
        callback->on_playback_starting(playback_control::track_command_play, m_paused);
    if (flags & play_callback::flag_on_playback_new_track) callback->on_playback_new_track(hand_over(m_nowPlaying));
    if (m_paused && (flags & play_callback::flag_on_playback_pause)) callback->on_playback_pause(true);
}

void PlaybackEngine::UnregisterCallback(play_callback* callback) {
    m_callbacks.erase(std::remove_if(m_callbacks.begin(), m_callbacks.end(),
                                     [callback](const Registration& r) { return r.callback == callback; }),
                      m_callbacks.end());
}

} // namespace fb2k_host

namespace fb2k_host {

void PlaybackEngine::UnregisterCallbacksIn(HMODULE module) {
    auto base = reinterpret_cast<const unsigned char*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const unsigned char* end = base + nt->OptionalHeader.SizeOfImage;
    m_callbacks.erase(std::remove_if(m_callbacks.begin(), m_callbacks.end(),
                                     [base, end](const Registration& r) {
                                         auto p = reinterpret_cast<const unsigned char*>(r.callback);
                                         return p >= base && p < end;
                                     }),
                      m_callbacks.end());
}

} // namespace fb2k_host
