#pragma once
// The stand-in player's playlist_manager: one playlist, the engine's, always active.
#include "sdk/playlist.h"

namespace fb2k_host {
class PlaybackEngine;
service_ptr_t<playlist_manager> MakePlaylistService(PlaybackEngine& engine);
} // namespace fb2k_host
