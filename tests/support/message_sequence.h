#pragma once
// Message-sequence tables: what a window, or the shell, was expected to receive, in order, and
// one check that compares them with what was recorded and prints both lists on a mismatch.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

// Which parts of an entry the check compares; the message itself always is.
enum SequenceFlags : unsigned {
    kMessageOnly = 0,
    kWParam = 1 << 0,   // compare wParam
    kLParam = 1 << 1,   // compare lParam
    kOptional = 1 << 2, // the entry may be missing from what was recorded
};

// One expected message.
struct SequenceEntry {
    UINT message;
    unsigned flags; // SequenceFlags
    WPARAM wParam;
    LPARAM lParam;
};

// One recorded message.
struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Names a message for the printout; null for a message it does not know (printed as a number).
typedef const char* (*MessageNamer)(UINT message);

// Success when `recorded` holds the entries of `expected` in order, optional entries allowed
// to be missing, and nothing else. On a mismatch the failure names `what` (the sequence's
// purpose, as a sentence), the first entry that differs and why, then both lists side by side.
testing::AssertionResult MatchesSequence(const char* what, const std::vector<SequenceEntry>& expected,
                                         const std::vector<RecordedMessage>& recorded, MessageNamer name = nullptr);
