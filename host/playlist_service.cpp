#include "host/playlist_service.h"

#include "host/playback_engine.h"

namespace fb2k_host {

namespace {

// One playlist: the engine's. Selection and focus are kept here.
class PlaylistService : public playlist_manager {
public:
    explicit PlaylistService(PlaybackEngine& engine) : m_engine(engine) {}
    t_size get_playlist_count() override { return 1; }
    t_size get_active_playlist() override { return m_active; }
    void set_active_playlist(t_size playlist) override {
        if (playlist == 0) m_active = 0;
    }
    t_size get_playing_playlist() override { return m_engine.IsPlaying() ? 0 : pfc_infinite; }
    void set_playing_playlist(t_size) override {}
    t_size playlist_get_item_count(t_size playlist) override { return playlist == 0 ? Count() : 0; }
    void playlist_enum_items(t_size playlist, enum_items_callback& callback, const bit_array& mask) override {
        if (playlist != 0) return;
        metadb_handle_ptr none;
        for (t_size i = 0; i < Count(); ++i)
            if (mask.get(i) && !callback.on_item(i, none, Selected(i))) return;
    }
    t_size playlist_get_focus_item(t_size playlist) override { return playlist == 0 ? m_focus : pfc_infinite; }
    void playlist_set_selection(t_size playlist, const bit_array& affected, const bit_array& state) override {
        if (playlist != 0) return;
        m_selection.resize(Count(), false);
        for (t_size i = 0; i < Count(); ++i)
            if (affected.get(i)) m_selection[i] = state.get(i);
    }
    bool playlist_remove_items(t_size playlist, const bit_array& mask) override {
        if (playlist != 0) return false;
        // From the end, so that earlier positions stay valid.
        for (t_size i = Count(); i-- > 0;)
            if (mask.get(i)) m_engine.RemoveTrack(i);
        m_selection.assign(Count(), false);
        return true;
    }
    void playlist_set_focus_item(t_size playlist, t_size item) override {
        if (playlist == 0) m_focus = item;
    }
    void playlist_ensure_visible(t_size, t_size) override {}
    bool get_playing_item_location(t_size* playlist, t_size* item) override {
        if (!m_engine.PlayingItemInPlaylist()) return false;
        if (playlist) *playlist = 0;
        if (item) *item = static_cast<t_size>(m_engine.CurrentIndex());
        return true;
    }

private:
    t_size Count() const { return m_engine.Playlist().size(); }
    bool Selected(t_size i) const { return i < m_selection.size() && m_selection[i]; }

    PlaybackEngine& m_engine;
    std::vector<bool> m_selection;
    t_size m_active = 0;
    t_size m_focus = pfc_infinite;
};

} // namespace

service_ptr_t<playlist_manager> MakePlaylistService(PlaybackEngine& engine) {
    return new service_impl_t<PlaylistService>(engine);
}

} // namespace fb2k_host
