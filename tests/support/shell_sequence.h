#pragma once
// The strip's shell traffic as a message sequence (see message_sequence.h): each call is its
// NIM_ message, with the icon id as wParam and the record's flags as lParam.
#include "tests/support/message_sequence.h"
#include "tests/support/shell_tray.h"

#include <vector>

std::vector<RecordedMessage> ShellSequence(const std::vector<ShellCall>& calls);
// "NIM_ADD" ... "NIM_SETVERSION".
const char* ShellMessageName(UINT message);
