#pragma once
// The player's playlists, as far as a component takes the playing item out of them.
#include "metadb.h"
#include <vector>

using pfc::bit_array;
using pfc::bit_array_var;

// A set of positions held in memory.
class bit_array_bittable : public bit_array_var {
public:
    explicit bit_array_bittable(t_size count = 0) : m_bits(count, false) {}
    bool get(t_size index) const override { return index < m_bits.size() && m_bits[index]; }
    void set(t_size index, bool value) override {
        if (index >= m_bits.size()) m_bits.resize(index + 1, false);
        m_bits[index] = value;
    }
    void resize(t_size count) { m_bits.assign(count, false); }

private:
    std::vector<bool> m_bits;
};

class playlist_manager : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(playlist_manager, 0xD8D51855, 0xD79D, 0x49B8, 0x97, 0xA8, 0x06, 0x57, 0x85, 0xFA, 0x24,
                                 0x26)
public:
    // Called by the player for each item of playlist_enum_items; false stops the walk.
    class enum_items_callback {
    public:
        virtual bool on_item(t_size index, const metadb_handle_ptr& item, bool selected) = 0;

    protected:
        ~enum_items_callback() = default;
    };

    virtual t_size get_playlist_count() = 0; // 3
    // pfc_infinite when no playlist is active.
    virtual t_size get_active_playlist() = 0;                    // 4
    virtual void set_active_playlist(t_size playlist) = 0;       // 5
    virtual t_size get_playing_playlist() = 0;                   // 6
    virtual void set_playing_playlist(t_size playlist) = 0;      // 7
    FB2K_UNUSED_SLOT(remove_playlists_slot)                      // 8
    FB2K_UNUSED_SLOT(create_playlist_slot)                       // 9
    FB2K_UNUSED_SLOT(reorder_slot)                               // 10
    virtual t_size playlist_get_item_count(t_size playlist) = 0; // 11
    virtual void playlist_enum_items(t_size playlist, enum_items_callback& callback,
                                     const bit_array& mask) = 0; // 12
    virtual t_size playlist_get_focus_item(t_size playlist) = 0; // 13
    FB2K_UNUSED_SLOT(playlist_get_name_slot)                     // 14
    FB2K_UNUSED_SLOT(playlist_reorder_items_slot)                // 15
    virtual void playlist_set_selection(t_size playlist, const bit_array& affected,
                                        const bit_array& state) = 0;                // 16
    virtual bool playlist_remove_items(t_size playlist, const bit_array& mask) = 0; // 17
    FB2K_UNUSED_SLOT(playlist_replace_item_slot)                                    // 18
    virtual void playlist_set_focus_item(t_size playlist, t_size item) = 0;         // 19
    FB2K_UNUSED_SLOT(playlist_insert_items_slot)                                    // 20
    virtual void playlist_ensure_visible(t_size playlist, t_size item) = 0;         // 21
    FB2K_UNUSED_SLOT(playlist_rename_slot)                                          // 22
    FB2K_UNUSED_SLOT(playlist_undo_backup_slot)                                     // 23
    FB2K_UNUSED_SLOT(playlist_undo_restore_slot)                                    // 24
    FB2K_UNUSED_SLOT(playlist_redo_restore_slot)                                    // 25
    FB2K_UNUSED_SLOT(playlist_is_undo_available_slot)                               // 26
    FB2K_UNUSED_SLOT(playlist_is_redo_available_slot)                               // 27
    FB2K_UNUSED_SLOT(playlist_item_format_title_slot)                               // 28
    // Where the playing item is; false when nothing plays or it is in no playlist.
    virtual bool get_playing_item_location(t_size* playlist, t_size* item) = 0; // 29

    // Items of the active playlist; 0 when none is active.
    t_size activeplaylist_get_item_count();
    // Fills `out` with the selection state of every item of the playlist.
    void playlist_get_selection_mask(t_size playlist, bit_array_var& out);
    // Makes the playlist holding the playing item active, focuses and selects that item
    // alone and scrolls to it; false when nothing plays or the playing item is in no playlist.
    bool highlight_playing_item();
};
