#pragma once
// Where the strip's elements sit inside each icon, for every size the strip is drawn at.
//
// The layouts keep the proportions of the 16-pixel design: the upper block of rows holds the
// slider (bar and cursor), one empty row follows, then the button row. Icon 0 holds previous
// then stop/load, icon 1 play/pause then next. The slider keeps its 24 steps at every size;
// a step is size / 16 pixels wide (1, 1.25, 1.5, 2), so the cursor's left edge is at strip
// column origin + step x size / 16 (truncated).
//
// Zone tables, in pixels of one icon of the layout's size (x: columns, y: rows; bxo is the
// profile's buttonXOffset, 1 on Windows Vista, 2 elsewhere; "glyph" is the drawn part):
//
//   size | slider rows | button rows | icon 0: previous | stop/load      | icon 1: play/pause | next
//   16   | 0-6         | 8-14        | glyph 0-5        | glyph bxo+7 .. bxo+13 | glyph 1-7   | glyph bxo+8 .. bxo+13
//   20   | 0-8         | 10-18       | glyph 0-6        | glyph bxo+9 .. bxo+17 | glyph 1-9   | glyph bxo+10 .. bxo+16
//   24   | 0-10        | 12-22       | glyph 0-8        | glyph b+10 .. b+20    | glyph 1-10  | glyph b+11 .. b+19
//   32   | 0-13        | 16-29       | glyph 0-10       | glyph 2bxo+14 .. 2bxo+27 | glyph 2-15 | glyph 2bxo+16 ..
//   2bxo+26 (24: b = bxo + 1, which keeps stop/load right of the middle at bxo 1.)
//
// Each icon splits in the middle: columns 0 to size/2 - 1 are the first button (previous,
// play/pause), columns size/2 to size - 1 the second (stop/load, next); every glyph lies
// wholly in its half. The slider row spans both icons whole; the cursor of step s covers
// columns origin + s x size / 16 .. + cursor width - 1 of the 2 x size strip:
//
//   size | cursor (w x h) | origin | step 0 | step 24 | bar track (strip columns, rows)
//   16   | 4 x 7          | 2      | 2-5    | 26-29   | 2-29, rows 2-4
//   20   | 5 x 9          | 2      | 2-6    | 32-36   | 2-36, rows 3-5
//   24   | 6 x 11         | 3      | 3-8    | 39-44   | 3-44, rows 3-7
//   32   | 8 x 14         | 4      | 4-11   | 52-59   | 4-59, rows 4-9
//
// The same tables hold for a whole multiple of the 16-pixel layout (a skin enlarged f times):
// every number of the 16-pixel line times f. Icons of a size between these are drawn with the
// next smaller layout, centred (offset (drawn - layout) / 2 in both directions).
//
// The pointer is hit-tested in the same pixels: the rows from sliderRows on are the buttons',
// the column just before stop/load (icon 0) and next (icon 1) hits nothing, and in a centred
// layout a margin column counts as the nearest column of the layout, rows above it as the
// slider and rows below it as the buttons.

struct StripLayout {
    int size;         // pixels per side of the layout
    int sliderRows;   // rows 0 .. sliderRows - 1 are the slider block
    int buttonRow;    // first row of the buttons
    int cursorOrigin; // strip column of the cursor's left edge at step 0
    int back;         // x of previous in icon 0
    int stopLoad;     // x of stop or load in icon 0
    int playPause;    // x of play or pause in icon 1
    int next;         // x of next in icon 1

    // Strip column of the cursor's left edge at a slider step.
    int CursorColumn(int step) const { return cursorOrigin + step * size / 16; }

    // The slider step under strip column `column` of the layout: the last step whose cursor
    // has its left edge at or left of it (0 left of the first, `range` right of the last).
    int StepAt(int column, int range) const;
};

namespace StripLayouts {

// The layout for a built-in artwork size (16, 20, 24, 32) or a whole multiple of 16, with the
// profile's buttonXOffset. Any other size gets the 16-pixel layout.
StripLayout For(int size, int buttonXOffset);

// The layout size the built-in artwork uses for icons drawn `drawn` pixels wide: the largest
// artwork size not above it (16 for anything smaller).
int ArtworkSizeFor(int drawn);

// The layout size for a skin on icons drawn `drawn` pixels wide: 16 times the largest whole
// factor that fits (16 for anything smaller).
int SkinSizeFor(int drawn);

} // namespace StripLayouts
