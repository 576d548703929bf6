#pragma once
// The component's persistent settings: configuration variables that the player saves with
// its own configuration and restores before start-up. Other code reads and assigns them
// directly by these names.
#include "sdk/cfg_var.h"

namespace cfg {
extern cfg_int_t<bool> VolumeSlider;
extern cfg_int_t<bool> ShowBalloon;
extern cfg_int_t<bool> ShowBalloonOnStream;
extern cfg_int_t<bool> AutoVolumeOnStream;
extern cfg_int_t<bool> PauseOnScreenSaver;
extern cfg_int_t<int> BalloonHideAfter;
extern cfg_int_t<int> Language;
extern cfg_int_t<bool> Windows7NoticeShown;
// A card with the cover, the song and the time under the pointer while it rests on the strip.
extern cfg_int_t<bool> ShowCard;
extern cfg_string BalloonTitle;
extern cfg_string BalloonFormat;
extern cfg_string SkinName;

// The balloon-title pattern used when nothing else is configured.
extern const char* const kDefaultBalloonTitle;
// Stands in BalloonFormat for "the default format in the current language".
extern const char* const kDefaultFormatMarker;
} // namespace cfg
