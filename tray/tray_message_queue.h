#pragma once
// The shell's tray messages handled one at a time, in the order they came. The shell sends
// them as sent messages, and Windows delivers a sent message while the thread waits inside any
// call to another process: the strip's own questions to the shell (where an icon is, what the
// tray's toolbar holds) and its shell calls. Without this, a release could be handled in the
// middle of its own press, before the press had marked the button down, and the click was
// lost. A message that comes while another is handled waits until that one is done.
#include <windows.h>

#include <deque>
#include <functional>

class TrayMessageQueue {
public:
    struct Message {
        UINT message; // the mouse or notify message, as the callback's lParam gives it
        UINT iconId;
    };
    typedef std::function<void(const Message&)> Handler;

    // Handles `message` now, and then each message that arrives while it is handled; or, when
    // it arrives while another is handled, keeps it for after that one.
    void Deliver(const Message& message, const Handler& handle);
    // Messages kept for after the one being handled.
    size_t Waiting() const { return m_waiting.size(); }

    // More waiting messages than any person's input makes within one handling: the oldest go.
    static constexpr size_t kMostWaiting = 64;

private:
    void Keep(const Message& message);

    bool m_handling = false;
    std::deque<Message> m_waiting;
};
