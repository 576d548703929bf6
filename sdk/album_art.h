#pragma once
// The player's album art as it loads it for the playing track: the bytes of the picture file
// (embedded, or found beside the track under the player's own rules). The loader reports "no
// picture" as a null reference, never by throwing, which is why it is used rather than the
// per-file extractors.
#include "service.h"

// A block of bytes owned by the player.
class album_art_data : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(album_art_data, service_base, 0x9ddce05c, 0xaa3f, 0x4565, 0xb3, 0x3a, 0xbd, 0x6a, 0xdc,
                                0xdd, 0x90, 0x37)
public:
    virtual const void* data() const = 0; // 3
    virtual t_size size() const = 0;      // 4
};

// Told when the player has loaded the front cover of the playing track; not called for a track
// without one. Not a service: the table starts at slot 0.
class now_playing_album_art_notify {
public:
    // The picture arrives by value: the callee releases it (see abi.h).
    virtual void on_album_art(service_by_value<album_art_data> data) = 0; // 0
protected:
    ~now_playing_album_art_notify() = default;
};

class now_playing_album_art_notify_manager : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(now_playing_album_art_notify_manager, 0x79a1aab7, 0xb1a1, 0x463c, 0xb8, 0x86, 0x32,
                                 0xb6, 0x79, 0x56, 0xd9, 0xd2)
public:
    virtual void add(now_playing_album_art_notify* notify) = 0;    // 3
    virtual void remove(now_playing_album_art_notify* notify) = 0; // 4
    // The playing track's front cover; null while there is none or it is still loading (a
    // class result: see abi.h).
    virtual service_ptr_t<album_art_data>* current(service_ptr_t<album_art_data>* out) = 0; // 5
};
