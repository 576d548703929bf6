#pragma once
// Copying text into the fixed-size fields of a notification record.
#include <cstddef>

// Copies as much of `source` as fits before the terminator and terminates. A surrogate pair
// that would be cut in half is left out whole. A null source copies as empty text.
template <size_t N> void CopyBounded(wchar_t (&target)[N], const wchar_t* source) {
    size_t length = 0;
    if (source)
        while (length < N - 1 && source[length]) ++length;
    if (length == N - 1 && length > 0 && source[length] && source[length - 1] >= 0xD800 && source[length - 1] <= 0xDBFF)
        --length;
    for (size_t i = 0; i < length; ++i) target[i] = source[i];
    target[length] = 0;
}
