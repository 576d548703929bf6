#include "controller/player_command_queue.h"

#include "tray/player_calls.h"

#include <utility>

namespace {
// Milliseconds a command waits for a starting track's announcement at most.
constexpr DWORD kLongestTrackStart = 3000;
} // namespace

bool PlayerCommandQueue::CanTake(Kind kind) const {
    if (PlayerCalls::Inside()) return false;
    return kind == Kind::AnyTrack || !trackStarting || GetTickCount() - startingSince > kLongestTrackStart;
}

void PlayerCommandQueue::Give(Kind kind, std::function<void()> command) {
    // Behind what already waits: clicks act in the order they were made.
    if (waiting.empty() && CanTake(kind)) {
        command();
        return;
    }
    waiting.push_back(Entry{kind, std::move(command)});
    Retry();
}

void PlayerCommandQueue::GiveWaiting() {
    if (window) KillTimer(window, timer);
    while (!waiting.empty() && CanTake(waiting.front().kind)) {
        Entry next = std::move(waiting.front());
        waiting.pop_front();
        next.command();
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
