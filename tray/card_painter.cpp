#include "tray/card_painter.h"

#include "base/text_fit.h"
#include "base/gdi_handles.h"
#include "base/scoped_select.h"

namespace {

// The card at 96 DPI.
constexpr int kWidth = 340;
constexpr int kHeight = 84;
constexpr int kPadding = 10;
constexpr int kCoverSide = 64;
constexpr int kTitleHeight = 18;
constexpr int kDetailHeight = 16;
constexpr int kBarHeight = 3;
constexpr int kTimesHeight = 15;
constexpr int kMarkerWidth = 3;
constexpr int kTitlePoints = 10;
constexpr int kTextPoints = 9;
constexpr int kThousandths = 1000; // not a resource id: the content's fractions

struct Palette {
    COLORREF background, frame, text, secondary, track, fill, marker, glyphBack, glyph;
};
const Palette kLight = {RGB(249, 249, 249), RGB(160, 160, 160), RGB(26, 26, 26),
                        RGB(90, 90, 90),    RGB(205, 205, 205), RGB(0, 103, 192),
                        RGB(196, 43, 28),   RGB(225, 225, 225), RGB(150, 150, 150)};
const Palette kDark = {RGB(40, 40, 40),   RGB(90, 90, 90),   RGB(242, 242, 242), RGB(175, 175, 175), RGB(85, 85, 85),
                       RGB(76, 194, 255), RGB(255, 160, 40), RGB(62, 62, 62),    RGB(140, 140, 140)};

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

UniqueFont MessageFont(int points, int dpi, bool bold) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) font = metrics.lfMessageFont;
    else wcscpy(font.lfFaceName, L"Tahoma");
    font.lfHeight = -MulDiv(points, dpi, 72);
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    return UniqueFont(CreateFontIndirectW(&font));
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// One line of text in `box`, shortened with an ellipsis where too long; right to left where
// the text reads so.
void Line(HDC dc, const std::wstring& text, RECT box, HFONT font, COLORREF colour, UINT align = DT_LEFT) {
    ScopedSelectObject selected(dc, font);
    const int width = box.right - box.left;
    const std::wstring shown = FitWithEllipsis(text, width, [dc](const std::wstring& t) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
        return static_cast<int>(size.cx);
    });
    UINT format = align | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
    if (ReadsRightToLeft(shown)) format = (format & ~DT_LEFT) | DT_RIGHT | DT_RTLREADING;
    SetTextColor(dc, colour);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &box, format);
}

// A quaver on a plain square: the card's picture when the song has no cover.
void Glyph(HDC dc, const RECT& square, const Palette& colours, int dpi) {
    Fill(dc, square, colours.glyphBack);
    const int side = square.right - square.left;
    const int headW = side * 5 / 16, headH = side / 4;
    const int headLeft = square.left + side * 5 / 16, headBottom = square.top + side * 13 / 16;
    SetDCBrushColor(dc, colours.glyph);
    SetDCPenColor(dc, colours.glyph);
    ScopedSelectObject brush(dc, GetStockObject(DC_BRUSH));
    ScopedSelectObject pen(dc, GetStockObject(DC_PEN));
    Ellipse(dc, headLeft, headBottom - headH, headLeft + headW, headBottom);
    const int stemLeft = headLeft + headW - Scaled(3, dpi);
    const RECT stem = {stemLeft, square.top + side * 3 / 16, stemLeft + Scaled(3, dpi), headBottom - headH / 2};
    FillRect(dc, &stem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const RECT flag = {stem.right, stem.top, stem.right + side / 6, stem.top + Scaled(4, dpi)};
    FillRect(dc, &flag, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Cover(HDC dc, const CardContent& content, const RECT& square, const Palette& colours, int dpi) {
    if (!content.cover) {
        Glyph(dc, square, colours, dpi);
        return;
    }
    Fill(dc, square, colours.glyphBack);
    UniqueDC sourceDC(CreateCompatibleDC(dc));
    if (!sourceDC) return;
    HDC source = sourceDC.get();
    {
        ScopedSelectObject picture(source, content.cover);
        const int side = square.right - square.left;
        const int w = content.coverSize.cx, h = content.coverSize.cy;
        // Centred in the square, at the size it was scaled to for this DPI.
        const int x = square.left + (side - w) / 2, y = square.top + (side - h) / 2;
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, x, y, w, h, source, 0, 0, w, h, blend);
    }
}

void Timeline(HDC dc, const CardContent& content, const RECT& bar, const Palette& colours, int dpi) {
    const int width = bar.right - bar.left;
    if (content.progress >= 0) {
        Fill(dc, bar, colours.track);
        RECT done = bar;
        done.right = bar.left + MulDiv(width, content.progress, kThousandths);
        Fill(dc, done, colours.fill);
    }
    if (content.marker >= 0) {
        const int x = bar.left + MulDiv(width, content.marker, kThousandths);
        const int half = Scaled(kMarkerWidth, dpi) / 2 + 1;
        const RECT mark = {x - half, bar.top - Scaled(4, dpi), x + half, bar.bottom + Scaled(4, dpi)};
        Fill(dc, mark, colours.marker);
    }
}

} // namespace

namespace CardPainter {

SIZE Size(int dpi) { return SIZE{Scaled(kWidth, dpi), Scaled(kHeight, dpi)}; }

int CoverSide(int dpi) { return Scaled(kCoverSide, dpi); }

void Paint(HDC dc, const CardContent& content, int dpi) {
    const Palette& colours = content.dark ? kDark : kLight;
    const SIZE size = Size(dpi);
    const RECT all = {0, 0, size.cx, size.cy};
    Fill(dc, all, colours.frame);
    const int border = Scaled(1, dpi) > 0 ? Scaled(1, dpi) : 1;
    const RECT inside = {border, border, size.cx - border, size.cy - border};
    Fill(dc, inside, colours.background);
    SetBkMode(dc, TRANSPARENT);

    const int pad = Scaled(kPadding, dpi);
    const int side = CoverSide(dpi);
    const RECT square = {pad, pad, pad + side, pad + side};
    Cover(dc, content, square, colours, dpi);

    const int left = square.right + pad, right = size.cx - pad;
    UniqueFont titleFont = MessageFont(kTitlePoints, dpi, true);
    UniqueFont textFont = MessageFont(kTextPoints, dpi, false);
    int y = pad - Scaled(2, dpi);
    Line(dc, content.title, RECT{left, y, right, y + Scaled(kTitleHeight, dpi)}, titleFont.get(), colours.text);
    y += Scaled(kTitleHeight, dpi);
    Line(dc, content.detail, RECT{left, y, right, y + Scaled(kDetailHeight, dpi)}, textFont.get(), colours.secondary);
    y += Scaled(kDetailHeight, dpi) + Scaled(9, dpi);
    const RECT bar = {left, y, right, y + Scaled(kBarHeight, dpi)};
    Timeline(dc, content, bar, colours, dpi);
    y = bar.bottom + Scaled(6, dpi);
    const RECT times = {left, y, right, y + Scaled(kTimesHeight, dpi)};
    Line(dc, content.timeline, times, textFont.get(), colours.secondary);
    if (!content.markerText.empty()) Line(dc, content.markerText, times, titleFont.get(), colours.marker, DT_RIGHT);
}

} // namespace CardPainter
