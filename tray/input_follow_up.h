#pragma once
// What the strip's input needs to know beyond the message in hand: the shell's messages reach
// the handlers one at a time and in order (tray_message_queue.h), a select or context-menu
// notice is a click's follow-up or a key's (click_follow_up.h), and a menu asked for from the
// keyboard opens at the icon (menu_anchor.h).
#include "tray/click_follow_up.h"
#include "tray/menu_anchor.h"
#include "tray/tray_message_queue.h"

class InputFollowUp {
public:
    // Hands `message` to `handle` in its turn.
    void Deliver(const TrayMessageQueue::Message& message, const TrayMessageQueue::Handler& handle) {
        m_order.Deliver(message, handle);
    }
    // A message as its turn comes: whether it comes from the keyboard (a key's select, or a
    // select or context-menu notice that answers no click). A mouse message makes the notice
    // of its click due, or ends what was due.
    bool FromKey(UINT message);
    // A key's select notice at `now` (GetTickCount): false when it repeats the one just before.
    bool NewKeyPress(DWORD now) { return m_clicks.NewKeyPress(now); }
    MenuAnchor& Menu() { return m_menu; }
    const MenuAnchor& Menu() const { return m_menu; }

private:
    TrayMessageQueue m_order;
    ClickFollowUp m_clicks;
    MenuAnchor m_menu;
};
