// Playlist operations that the player offers only as combinations of its slots.
#include "playlist.h"

namespace {

// Copies each item's selection state into a bit array.
class SelectionCollector : public playlist_manager::enum_items_callback {
public:
    explicit SelectionCollector(bit_array_var& out) : m_out(out) {}
    bool on_item(t_size index, const metadb_handle_ptr&, bool selected) override {
        m_out.set(index, selected);
        return true;
    }

private:
    bit_array_var& m_out;
};

} // namespace

t_size playlist_manager::activeplaylist_get_item_count() {
    t_size active = get_active_playlist();
    return active == pfc_infinite ? 0 : playlist_get_item_count(active);
}

void playlist_manager::playlist_get_selection_mask(t_size playlist, bit_array_var& out) {
    SelectionCollector collector(out);
    playlist_enum_items(playlist, collector, pfc::bit_array_true());
}

bool playlist_manager::highlight_playing_item() {
    t_size playlist = 0, item = 0;
    if (!get_playing_item_location(&playlist, &item)) return false;
    set_active_playlist(playlist);
    playlist_set_focus_item(playlist, item);
    playlist_set_selection(playlist, pfc::bit_array_true(), pfc::bit_array_one(item));
    playlist_ensure_visible(playlist, item);
    return true;
}
