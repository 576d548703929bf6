#include "tray/input_follow_up.h"

bool InputFollowUp::FromKey(UINT message) {
    if (message == NIN_KEYSELECT) return true;
    if (message == NIN_SELECT || message == WM_CONTEXTMENU) return !m_clicks.AnswersRelease(message);
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) m_clicks.MouseMessage(message);
    return false;
}
