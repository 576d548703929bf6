#pragma once
// The strip's clicks become the player's commands one after another, each given to the player
// when it can take it:
// - never from inside one of the player's own calls (see tray/player_calls.h);
// - not while a new track is starting: until the player has announced it, "previous" and
//   "next" still count from the track before, and a seek would take that track's length.
// A player that never announces the track (or its stop) gets the command after a while all the
// same. A command that cannot be given at once waits here, in order, and is given from the
// message loop through a short timer of the message window.
#include <windows.h>
#include <deque>
#include <functional>

class PlayerCommandQueue {
public:
    PlayerCommandQueue(UINT_PTR timerId, UINT retryMilliseconds) : timer(timerId), retryAfter(retryMilliseconds) {}

    void Attach(HWND messageWindow) { window = messageWindow; }
    // Gives the command to the player now if it can take it, else as soon as it can.
    void Give(std::function<void()> command);
    // The timer's tick: gives what waits, as far as the player can take it.
    void GiveWaiting();
    // The player has started a new track and not yet announced it.
    void TrackStarting(bool starting);
    size_t Waiting() const { return waiting.size(); }

private:
    bool CanTake() const;
    void Retry();

    UINT_PTR timer;
    UINT retryAfter;
    HWND window = nullptr;
    std::deque<std::function<void()>> waiting;
    bool trackStarting = false;
    DWORD startingSince = 0;
};
