#pragma once
// The playing track's front cover as the player loads it. The player tells when a cover has
// loaded; a track without one brings no news, so a new track starts without a cover.
#include <cstddef>
#include <functional>

namespace NowPlayingCover {

// `picture` receives the bytes of each cover the player loads, on the main thread.
typedef std::function<void(const void* data, size_t size)> PictureHandler;

// Asks the player to report covers; false when this player has no cover loader (older
// players), which leaves every track without a cover. Calls `picture` at once when the
// playing track's cover is already there.
bool Watch(PictureHandler picture);
// A new track: the cover the player already has for it, if any, is handed on now.
void AskCurrent();
// Stops the reports; safe when Watch failed or was never called.
void StopWatching();

} // namespace NowPlayingCover
