#include "base/text_fit.h"

namespace {

const wchar_t kEllipsis[] = L"\x2026";

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool IsRightToLeftLetter(wchar_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

bool IsLeftToRightLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') ||
           (c >= 0x00C0 && c < 0x0590 && c != 0x00D7 && c != 0x00F7) || (c >= 0x0900 && c < 0xFB1D);
}

// A cut before `length` that does not fall between the two halves of a surrogate pair.
size_t SafeCut(const std::wstring& text, size_t length) {
    while (length > 0 && length < text.size() && IsLowSurrogate(text[length])) --length;
    return length;
}

} // namespace

std::wstring FitWithEllipsis(const std::wstring& text, int width,
                             const std::function<int(const std::wstring&)>& measure) {
    if (measure(text) <= width) return text;
    if (measure(kEllipsis) > width) return std::wstring();
    // The widths grow with the length: the longest start that fits is found by halving.
    size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const size_t middle = fits + (tooLong - fits) / 2;
        if (measure(text.substr(0, middle) + kEllipsis) <= width) fits = middle;
        else tooLong = middle;
    }
    return text.substr(0, SafeCut(text, fits)) + kEllipsis;
}

bool ReadsRightToLeft(const std::wstring& text) {
    for (wchar_t c : text) {
        if (IsRightToLeftLetter(c)) return true;
        if (IsLeftToRightLetter(c)) return false;
    }
    return false;
}
