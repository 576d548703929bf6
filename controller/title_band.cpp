// The tray menu's title band: the product name in embossed letters, reading from top to
// bottom in the menu's last column. Text cannot be drawn turned in every font, so it is
// drawn across and turned a quarter clockwise pixel by pixel.
#include "controller/Trelvane.h"

#include "sdk/shared/shared.h"
#include "base/compatible_surface.h"

#include <cwchar>

namespace {

constexpr int kBandLength = 245;
constexpr int kBandThickness = 18;
constexpr int kTextIndent = 5;
const wchar_t kTitle[] = L"Trelvane";

// The title across: embossed like disabled text, on the button face.
void DrawTitleAcross(HDC dc) {
    RECT area = {0, 0, kBandLength, kBandThickness};
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(kTitle), static_cast<WPARAM>(std::wcslen(kTitle)),
               kTextIndent, 0, 0, 0, DST_TEXT | DSS_DISABLED);
}

// A quarter turn clockwise: the left end of the text comes to the top of the band.
void TurnClockwise(HDC across, HDC down) {
    for (int x = 0; x < kBandLength; ++x)
        for (int y = 0; y < kBandThickness; ++y) SetPixel(down, kBandThickness - 1 - y, x, GetPixel(across, x, y));
}

} // namespace

void Trelvane::onDrawItem(const DRAWITEMSTRUCT& item) {
    uCallStackTracker tracker("Trelvane::onDrawItem(DRAWITEMSTRUCT)");
    CompatibleSurface across(item.hDC, kBandLength, kBandThickness);
    CompatibleSurface down(item.hDC, kBandThickness, kBandLength);
    if (!across || !down) return;
    DrawTitleAcross(across.get());
    TurnClockwise(across.get(), down.get());
    // The band keeps its size whatever the menu's height, and covers the column's left edge.
    BitBlt(item.hDC, item.rcItem.left - 1, item.rcItem.top, kBandThickness, kBandLength, down.get(), 0, 0, SRCCOPY);
}
