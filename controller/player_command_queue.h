#pragma once
// The strip's clicks become the player's commands one after another, each given to the player
// when it can take it:
// - never from inside one of the player's own calls (see tray/player_calls.h);
// - "previous", "next" and a seek not while a new track is starting: until the player has
//   announced it, they still count from the track before (a seek would take that track's
//   length). Play, pause, stop and load do not depend on the track and do not wait for it.
// A player that never announces the track (or its stop) gets the command after a while all the
// same. A command that cannot be given at once waits here, in order, and is given from the
// message loop through a short timer of the message window.
#include <windows.h>
#include <deque>
#include <functional>

class PlayerCommandQueue {
public:
    enum class Kind { AnyTrack, ThisTrack };

    PlayerCommandQueue(UINT_PTR timerId, UINT retryMilliseconds) : timer(timerId), retryAfter(retryMilliseconds) {}

    void Attach(HWND messageWindow) { window = messageWindow; }
    // Gives the command to the player now if it can take it, else as soon as it can.
    void Give(Kind kind, std::function<void()> command);
    // The timer's tick: gives what waits, as far as the player can take it.
    void GiveWaiting();
    // The player has started a new track and not yet announced it.
    void TrackStarting(bool starting);
    size_t Waiting() const { return waiting.size(); }

private:
    struct Entry {
        Kind kind;
        std::function<void()> command;
    };
    bool CanTake(Kind kind) const;
    void Retry();

    UINT_PTR timer;
    UINT retryAfter;
    HWND window = nullptr;
    std::deque<Entry> waiting;
    bool trackStarting = false;
    DWORD startingSince = 0;
};
