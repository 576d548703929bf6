#pragma once
// The stand-in player's cover loader for the playing track: a picture file beside the track
// (cover, folder or front, as .jpg, .jpeg or .png), read a moment after the track started, as
// the player loads its covers in the background, and then reported to whoever listens.
#include "sdk/album_art.h"

namespace fb2k_host {

class PlaybackEngine;

// The loader, registered with the engine's playback events.
service_ptr_t<now_playing_album_art_notify_manager> MakeAlbumArtLoader(PlaybackEngine& engine);

} // namespace fb2k_host
