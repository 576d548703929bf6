#include "host/playlist_service.h"

#include "host/playback_engine.h"

namespace fb2k_host {

namespace {

class PlaylistService : public playlist_manager {
public:
    explicit PlaylistService(PlaybackEngine& engine) : m_engine(engine) {}
    t_size get_playlist_count() override { return 1; }
    t_size get_active_playlist() override { return 0; }
    t_size playlist_get_item_count(t_size playlist) override {
        return playlist == 0 ? m_engine.Playlist().size() : 0;
    }
    void playlist_get_selection_mask(t_size playlist, bit_array_var& out) override {
        if (playlist != 0) return;
        for (t_size i = 0; i < m_engine.Playlist().size(); ++i) out.set(i, i < m_selection.size() && m_selection[i]);
    }
    bool playlist_remove_items(t_size playlist, const bit_array& mask) override {
        if (playlist != 0) return false;
        // From the end, so that earlier positions stay valid.
        for (t_size i = m_engine.Playlist().size(); i-- > 0;)
            if (mask.get(i)) m_engine.RemoveTrack(i);
        m_selection.assign(m_engine.Playlist().size(), false);
        return true;
    }
    bool highlight_playing_item() override {
        if (!m_engine.PlayingItemInPlaylist()) return false;
        m_selection.assign(m_engine.Playlist().size(), false);
        m_selection[static_cast<size_t>(m_engine.CurrentIndex())] = true;
        return true;
    }
private:
    PlaybackEngine& m_engine;
    std::vector<bool> m_selection;
};

} // namespace

service_ptr_t<playlist_manager> MakePlaylistService(PlaybackEngine& engine) {
    return new service_impl_t<PlaylistService>(engine);
}

} // namespace fb2k_host
