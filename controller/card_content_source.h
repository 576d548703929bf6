#pragma once
// What the card shows, read from the player: the song's texts through the player's title
// formatting, and the timeline with the time or volume under the pointer.
#include "controller/strip_card.h"
#include "tray/card_content.h"

#include <string>

namespace CardContentSource {

// The balloon's title pattern; the file name without extension where it yields nothing.
std::wstring Title();
// Artist and album.
std::wstring Detail();
// The timeline, and the marker where the pointer is on the slider row (or drags the slider).
CardContent Timeline(const StripHover& hover, bool volumeSlider);

} // namespace CardContentSource
