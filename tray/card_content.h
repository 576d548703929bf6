#pragma once
// What the card shows; two equal contents draw the same pixels, so an unchanged content is
// never drawn again.
#include <windows.h>
#include <string>

struct CardContent {
    std::wstring title;
    std::wstring detail;   // artist and album
    std::wstring timeline; // "1:23 / 4:05", or "live"
    int progress = -1;     // the position along the timeline in thousandths; -1: no timeline
    int marker = -1;       // the step under the pointer in thousandths of the slider; -1: none
    std::wstring markerText;
    bool dark = false;
    // The cover (a 32-bit premultiplied bitmap owned by the caller) and a number that changes
    // with it; none: the glyph.
    HBITMAP cover = nullptr;
    SIZE coverSize = {};
    unsigned coverSerial = 0;

    bool operator==(const CardContent& other) const {
        return title == other.title && detail == other.detail && timeline == other.timeline &&
               progress == other.progress && marker == other.marker && markerText == other.markerText &&
               dark == other.dark && cover == other.cover && coverSerial == other.coverSerial;
    }
    bool operator!=(const CardContent& other) const { return !(*this == other); }
};
