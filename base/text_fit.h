#pragma once
// Shortening a line of text to a width, ended with an ellipsis.
#include <functional>
#include <string>

// The longest start of `text` that, followed by "…", measures at most `width`; the whole text
// when it fits, and "" when not even the ellipsis does. `measure` gives a text's width. A
// surrogate pair is never split.
std::wstring FitWithEllipsis(const std::wstring& text, int width,
                             const std::function<int(const std::wstring&)>& measure);

// Whether the text reads right to left: its first letter of a strong direction is Hebrew or Arabic
// (or another right-to-left script of the basic plane).
bool ReadsRightToLeft(const std::wstring& text);
