#pragma once
// The strip's shell traffic as a message sequence (see message_sequence.h): each call is its
// NIM_ message, with the icon id as wParam and the record's flags as lParam.
#include "tests/support/message_sequence.h"
#include "tests/support/shell_tray.h"

#include <vector>

std::vector<RecordedMessage> ShellSequence(const std::vector<ShellCall>& calls);
// "NIM_ADD" ... "NIM_SETVERSION".
const char* ShellMessageName(UINT message);

// Whether `shell` was told `expected` since it was last cleared, and nothing else: on a
// mismatch the failure says `what` was expected and shows both lists.
testing::AssertionResult ShellGot(const ShellTray& shell, const char* what, const std::vector<SequenceEntry>& expected);
// Both icons modified once, the first of the profile's add order first (icon 1 when
// `addReversed`); their flags not compared.
std::vector<SequenceEntry> BothModified(bool addReversed);
