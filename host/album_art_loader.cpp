#include "host/album_art_loader.h"

#include "host/playback_engine.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fb2k_host {
namespace {

constexpr UINT kLoadDelay = 30; // milliseconds after the track started

class PictureBytes : public album_art_data {
public:
    explicit PictureBytes(std::vector<char> bytes) : m_bytes(std::move(bytes)) {}
    const void* data() const override { return m_bytes.data(); }
    t_size size() const override { return m_bytes.size(); }

private:
    std::vector<char> m_bytes;
};

bool ReadFile(const std::string& path, std::vector<char>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

// The first picture file beside the track (a "file://" address), as the player's default search
// finds it; none for a stream.
service_ptr_t<album_art_data> PictureBeside(const std::string& address) {
    const std::string scheme = "file://";
    if (address.compare(0, scheme.size(), scheme) != 0) return service_ptr_t<album_art_data>();
    const std::string trackPath = address.substr(scheme.size());
    const size_t slash = trackPath.find_last_of("\\/");
    if (slash == std::string::npos) return service_ptr_t<album_art_data>();
    const std::string folder = trackPath.substr(0, slash + 1);
    for (const char* name : {"cover", "folder", "front"})
        for (const char* extension : {".jpg", ".jpeg", ".png"}) {
            std::vector<char> bytes;
            if (ReadFile(folder + name + extension, bytes))
                return service_ptr_t<album_art_data>(new service_impl_t<PictureBytes>(std::move(bytes)));
        }
    return service_ptr_t<album_art_data>();
}

// Watches the playing track while someone listens (a playback callback of its own would show
// among the component's in the engine's list), and loads its cover a moment after it changed.
class Loader : public now_playing_album_art_notify_manager {
public:
    explicit Loader(PlaybackEngine& engine) : m_engine(engine) {}
    ~Loader() { StopWatching(); }

    void add(now_playing_album_art_notify* notify) override {
        m_listeners.push_back(notify);
        if (!m_timer) {
            s_watching = this;
            m_timer = SetTimer(nullptr, 0, kLoadDelay, &Loader::Tick);
        }
    }
    void remove(now_playing_album_art_notify* notify) override {
        m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), notify), m_listeners.end());
        if (m_listeners.empty()) StopWatching();
    }
    service_ptr_t<album_art_data>* current(service_ptr_t<album_art_data>* out) override {
        return construct_result(out, m_current);
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (s_watching) s_watching->Check();
    }
    // A new track is seen at one tick and its cover reported at the next, as the player's loader
    // reports after the track has started.
    void Check() {
        metadb_handle_ptr playing = m_engine.NowPlaying();
        if (m_loadAtNextTick) {
            m_loadAtNextTick = false;
            m_current = PictureBeside(m_pending);
            if (!m_current.is_valid()) return; // nothing to tell: the player stays silent too
            const std::vector<now_playing_album_art_notify*> listeners = m_listeners;
            for (now_playing_album_art_notify* listener : listeners) listener->on_album_art(hand_over(m_current));
            return;
        }
        if (playing.get_ptr() == m_seen.get_ptr()) return;
        m_seen = playing;
        m_current.release();
        m_pending = playing.is_valid() ? playing->get_path() : "";
        m_loadAtNextTick = playing.is_valid();
    }
    void StopWatching() {
        if (m_timer) KillTimer(nullptr, m_timer);
        m_timer = 0;
        if (s_watching == this) s_watching = nullptr;
    }

    static Loader* s_watching;
    PlaybackEngine& m_engine;
    std::vector<now_playing_album_art_notify*> m_listeners;
    metadb_handle_ptr m_seen;
    service_ptr_t<album_art_data> m_current;
    std::string m_pending;
    bool m_loadAtNextTick = false;
    UINT_PTR m_timer = 0;
};

Loader* Loader::s_watching = nullptr;

} // namespace

service_ptr_t<now_playing_album_art_notify_manager> MakeAlbumArtLoader(PlaybackEngine& engine) {
    return service_ptr_t<now_playing_album_art_notify_manager>(new service_impl_t<Loader>(engine));
}

} // namespace fb2k_host
