#pragma once
#include "sdk/play_callback.h"

// The playback events the component asks for: starting, new track, stop, seek, pause,
// time and volume change.
constexpr unsigned kPlayCallbackMask = 0x31F;

// The one playback-callback object, registered by the start-up hook.
play_callback& PlayCallback();
