#pragma once
// Whether the player is in the middle of one of its own calls on this thread: a playback
// event being handled, or one of its commands being run. The shell's tray messages are sent
// messages, which Windows delivers while this thread waits inside any call to another
// process (every Shell_NotifyIconW does), so a click can be handled in the middle of such a
// call. The player does not take a command given from inside its own call: it drops it, or
// stops playback.
namespace PlayerCalls {

bool Inside();

// Marks one call of the player's for as long as it lives.
class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

} // namespace PlayerCalls
