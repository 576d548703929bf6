// The string id that a resource's text stands for.
#include "settings/strings.h"

namespace {
// What a text that is no string id (or a number too large for one) counts as.
constexpr UINT kNoStringId = 0;
// String tables hold 16-bit ids.
constexpr UINT kLargestStringId = 0xFFFF;
} // namespace

UINT LeadingNumber(const wchar_t* text) {
    UINT value = 0;
    for (const wchar_t* c = text; *c >= L'0' && *c <= L'9'; ++c) {
        value = value * 10 + static_cast<UINT>(*c - L'0');
        if (value > kLargestStringId) return kNoStringId;
    }
    return value;
}
