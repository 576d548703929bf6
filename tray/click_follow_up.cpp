#include "tray/click_follow_up.h"
#include "tray/mouse_press.h"

namespace {

// One key press may reach us as two select notices; a second one this soon is the same press.
constexpr DWORD kSameKeyPress = 100; // milliseconds

} // namespace

// A release makes its notice due; a new press means the shell sent none for the click before
// (it always sends it before the next press), so nothing is due any more.
void ClickFollowUp::MouseMessage(UINT message) {
    if (message == WM_LBUTTONUP) m_selectNoticeDue = true;
    if (message == WM_RBUTTONUP) m_contextMenuDue = true;
    if (IsMousePress(message)) m_selectNoticeDue = m_contextMenuDue = false;
}

bool ClickFollowUp::AnswersRelease(UINT notice) {
    bool& due = notice == NIN_SELECT ? m_selectNoticeDue : m_contextMenuDue;
    const bool answers = due;
    due = false;
    return answers;
}

bool ClickFollowUp::NewKeyPress(DWORD now) {
    const bool samePress = m_keySelectSeen && now - m_lastKeySelect < kSameKeyPress;
    m_lastKeySelect = now;
    m_keySelectSeen = true;
    return !samePress;
}
