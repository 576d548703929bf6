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
