#pragma once
// Where the card goes: beside the strip on the side away from the taskbar's screen edge, inside
// the work area of the strip's monitor, never over the strip.
#include <windows.h>

namespace CardPlacement {

// The card's top-left corner for a card of `card` pixels, the strip's screen rectangle `strip`
// and the work area `work` of the monitor that shows the strip. `gap` pixels stay between the
// card and the strip. A taskbar outside the work area (the usual case) puts the card on the
// work area's side of the strip; a tray inside it (a panel that reserves nothing) gets the card
// above the strip where it fits, else below it.
POINT Place(SIZE card, const RECT& strip, const RECT& work, int gap);

} // namespace CardPlacement
