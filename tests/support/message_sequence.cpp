#include "tests/support/message_sequence.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string MessageText(UINT message, MessageNamer name) {
    const char* known = name ? name(message) : nullptr;
    if (known) return known;
    char number[16];
    std::snprintf(number, sizeof(number), "0x%04X", message);
    return number;
}

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%llX", value);
    return text;
}

// wParam mostly carries ids and counts: small values in decimal, as the tables type them.
std::string WParamText(WPARAM value) {
    char text[24];
    std::snprintf(text, sizeof(text), value < 0x10000 ? "%llu" : "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string EntryText(const SequenceEntry& entry, MessageNamer name) {
    std::string text = MessageText(entry.message, name);
    text += " w=" + (entry.flags & kWParam ? WParamText(entry.wParam) : std::string("*"));
    text += " l=" + (entry.flags & kLParam ? Hex(static_cast<unsigned long long>(entry.lParam)) : std::string("*"));
    if (entry.flags & kOptional) text += " (optional)";
    return text;
}

std::string RecordedText(const RecordedMessage& message, MessageNamer name) {
    return MessageText(message.message, name) + " w=" + WParamText(message.wParam) +
           " l=" + Hex(static_cast<unsigned long long>(message.lParam));
}

// Why a recorded message is not the entry, or empty when it is.
std::string Difference(const SequenceEntry& entry, const RecordedMessage& got, MessageNamer name) {
    if (entry.message != got.message)
        return "expected " + MessageText(entry.message, name) + ", got " + MessageText(got.message, name);
    if ((entry.flags & kWParam) && entry.wParam != got.wParam)
        return "wParam: expected " + WParamText(entry.wParam) + ", got " + WParamText(got.wParam);
    if ((entry.flags & kLParam) && entry.lParam != got.lParam)
        return "lParam: expected " + Hex(static_cast<unsigned long long>(entry.lParam)) + ", got " +
               Hex(static_cast<unsigned long long>(got.lParam));
    return std::string();
}

std::string BothLists(const std::vector<SequenceEntry>& expected, const std::vector<RecordedMessage>& recorded,
                      MessageNamer name) {
    std::string text = "\n  expected                                     | recorded\n";
    for (size_t i = 0; i < std::max(expected.size(), recorded.size()); ++i) {
        std::string left = i < expected.size() ? EntryText(expected[i], name) : std::string();
        left.resize(std::max<size_t>(left.size(), 44), ' ');
        text += "  " + left + " | " + (i < recorded.size() ? RecordedText(recorded[i], name) : std::string()) + "\n";
    }
    return text;
}

} // namespace

testing::AssertionResult MatchesSequence(const char* what, const std::vector<SequenceEntry>& expected,
                                         const std::vector<RecordedMessage>& recorded, MessageNamer name) {
    size_t got = 0;
    for (size_t wanted = 0; wanted < expected.size(); ++wanted) {
        const SequenceEntry& entry = expected[wanted];
        std::string why = got < recorded.size() ? Difference(entry, recorded[got], name)
                                                : "expected " + MessageText(entry.message, name) + ", got nothing more";
        if (why.empty()) {
            ++got;
            continue;
        }
        if (entry.flags & kOptional) continue;
        return testing::AssertionFailure() << what << ": entry " << wanted << " (recorded " << got << "): " << why
                                           << BothLists(expected, recorded, name);
    }
    if (got < recorded.size())
        return testing::AssertionFailure() << what << ": unexpected " << RecordedText(recorded[got], name)
                                           << " after the last entry" << BothLists(expected, recorded, name);
    return testing::AssertionSuccess();
}
