#include "boundary.h"

#include "popup_message.h"
#include <set>
#include <string>
#include <windows.h>

namespace fb2k {

namespace {

// The name the user knows the component by.
const char* const kReportTitle = "Trelvane";

bool reportOpen = false;

std::set<std::string>& ReportedMessages() {
    static std::set<std::string> reported;
    return reported;
}

// False when this message was reported already.
bool FirstTime(const char* message) { return ReportedMessages().insert(message).second; }

} // namespace

void report_escaped_exception(const char* message) noexcept {
    if (!message) message = "Unknown error";
    if (reportOpen) return;
    reportOpen = true;
    try {
        if (FirstTime(message)) popup_message::g_show(message, kReportTitle, popup_message::icon_error);
    } catch (...) {
        // No popup to be had (the player is shutting down, or lacks the service): the debugger
        // output is all that is left.
        OutputDebugStringA(message);
    }
    reportOpen = false;
}

} // namespace fb2k
