#include "tray/tray_message_queue.h"

#include "base/scoped_flag.h"

// A pointer move only says where the pointer is now: a waiting move for the same icon is
// replaced rather than followed by another.
void TrayMessageQueue::Keep(const Message& message) {
    if (message.message == WM_MOUSEMOVE && !m_waiting.empty() && m_waiting.back().message == WM_MOUSEMOVE &&
        m_waiting.back().iconId == message.iconId) {
        m_waiting.back() = message;
        return;
    }
    if (m_waiting.size() >= kMostWaiting) m_waiting.pop_front();
    m_waiting.push_back(message);
}

// A handler that throws ends the handling (the flag is cleared on the way out); what still
// waits is handled, before it, with the next message.
void TrayMessageQueue::Deliver(const Message& message, const Handler& handle) {
    Keep(message);
    if (m_handling) return;
    ScopedFlag handling(m_handling);
    while (!m_waiting.empty()) {
        const Message next = m_waiting.front();
        m_waiting.pop_front();
        handle(next);
    }
}
