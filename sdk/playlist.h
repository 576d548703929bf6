#pragma once
// The player's playlists, as far as a component removes items from them.
#include "service.h"
#include <vector>

// A set of item positions.
class bit_array {
public:
    virtual bool get(t_size index) const = 0;
protected:
    ~bit_array() = default;
};

class bit_array_var : public bit_array {
public:
    virtual void set(t_size index, bool value) = 0;
protected:
    ~bit_array_var() = default;
};

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
    FB2K_MAKE_SERVICE_ENTRYPOINT(playlist_manager, 0xDE41D31E, 0x195A, 0x4949, 0x93, 0x18, 0x5F, 0xD0, 0xC3, 0x0C, 0x04, 0x0C)
public:
    virtual t_size get_playlist_count() = 0;
    // pfc_infinite when no playlist is active.
    virtual t_size get_active_playlist() = 0;
    virtual t_size playlist_get_item_count(t_size playlist) = 0;
    virtual void playlist_get_selection_mask(t_size playlist, bit_array_var& out) = 0;
    virtual bool playlist_remove_items(t_size playlist, const bit_array& mask) = 0;
    // Makes the playlist holding the playing item active, focuses and selects that item
    // alone; false when nothing plays or the playing item is in no playlist.
    virtual bool highlight_playing_item() = 0;

    t_size activeplaylist_get_item_count() {
        t_size active = get_active_playlist();
        return active == pfc_infinite ? 0 : playlist_get_item_count(active);
    }
};
