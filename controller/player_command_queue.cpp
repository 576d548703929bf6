#include "controller/player_command_queue.h"

#include "tray/player_calls.h"

#include <utility>

namespace {
// Milliseconds a command waits for a starting track's announcement at most.
constexpr DWORD kLongestTrackStart = 3000;
} // namespace

bool PlayerCommandQueue::CanTake() const {
    if (PlayerCalls::Inside()) return false;
    return !trackStarting || GetTickCount() - startingSince > kLongestTrackStart;
}

void PlayerCommandQueue::Give(std::function<void()> command) {
    // Behind what already waits: clicks act in the order they were made.
    if (waiting.empty() && CanTake()) {
        command();
        return;
    }
    waiting.push_back(std::move(command));
    Retry();
}

void PlayerCommandQueue::GiveWaiting() {
    if (window) KillTimer(window, timer);
    while (!waiting.empty() && CanTake()) {
        std::function<void()> next = std::move(waiting.front());
        waiting.pop_front();
        next();
    }
    if (!waiting.empty()) Retry();
}

void PlayerCommandQueue::TrackStarting(bool starting) {
    trackStarting = starting;
    if (starting) startingSince = GetTickCount();
    if (!starting && !waiting.empty()) Retry();
}

// A timer, not a posted message: it is delivered only from a message loop with nothing else
// to do, after the player's own posted messages (its announcement of a new track among them).
void PlayerCommandQueue::Retry() {
    if (window) SetTimer(window, timer, retryAfter, nullptr);
}
