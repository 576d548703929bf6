#pragma once
// What the shell sends after a click, told from the same notices sent for a key. After a left
// release the shell sends a select notice (NIN_SELECT), after a right release a context-menu
// message; the same messages without a release before them come from the keyboard. They are
// told apart by their order, never by the time between them: on a busy machine the notice can
// reach the strip long after the release (the release's own shell calls wait on the shell),
// and the click must not then also act as a key. One key press may also come as two select
// notices in a row.
#include <windows.h>

class ClickFollowUp {
public:
    // Every mouse message about the strip's icons, as it arrives.
    void MouseMessage(UINT message);
    // Whether this notice (NIN_SELECT or WM_CONTEXTMENU) is the one a release made due; it
    // answers that release only once.
    bool AnswersRelease(UINT notice);
    // A key's select notice at `now` (GetTickCount): false when it repeats the one just before,
    // the same key press told twice.
    bool NewKeyPress(DWORD now);

private:
    bool m_selectNoticeDue = false;
    bool m_contextMenuDue = false;
    DWORD m_lastKeySelect = 0;
    bool m_keySelectSeen = false;
};
