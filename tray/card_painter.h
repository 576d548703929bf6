#pragma once
// Draws the card: the cover (or a glyph) at the left, the title and the artist and album to
// its right, a thin timeline with the times under them, and the marker of the step under the
// pointer. Every length is given at 96 DPI and scaled to the card's monitor.
#include "tray/card_content.h"

namespace CardPainter {

// The card's size in pixels at `dpi`.
SIZE Size(int dpi);
// The side of the cover's square in pixels at `dpi`.
int CoverSide(int dpi);
// Paints `content` over the whole card in `dc`, which is Size(dpi) large.
void Paint(HDC dc, const CardContent& content, int dpi);

} // namespace CardPainter
