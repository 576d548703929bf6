#include "tests/support/shell_sequence.h"

std::vector<RecordedMessage> ShellSequence(const std::vector<ShellCall>& calls) {
    std::vector<RecordedMessage> sequence;
    for (const ShellCall& call : calls) sequence.push_back({call.message, call.id, static_cast<LPARAM>(call.flags)});
    return sequence;
}

const char* ShellMessageName(UINT message) {
    switch (message) {
    case NIM_ADD: return "NIM_ADD";
    case NIM_MODIFY: return "NIM_MODIFY";
    case NIM_DELETE: return "NIM_DELETE";
    case NIM_SETFOCUS: return "NIM_SETFOCUS";
    case NIM_SETVERSION: return "NIM_SETVERSION";
    default: return nullptr;
    }
}

testing::AssertionResult ShellGot(const ShellTray& shell, const char* what, const std::vector<SequenceEntry>& expected) {
    return MatchesSequence(what, expected, ShellSequence(shell.Calls()), ShellMessageName);
}

std::vector<SequenceEntry> BothModified(bool addReversed) {
    const WPARAM first = addReversed ? 6863 : 6862, second = addReversed ? 6862 : 6863; // the icons' ids
    return {{NIM_MODIFY, kWParam, first, 0}, {NIM_MODIFY, kWParam, second, 0}};
}
