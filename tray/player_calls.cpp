#include "tray/player_calls.h"

namespace {
// Everything runs on the player's main thread; calls nest, so this counts.
int openCalls = 0;
} // namespace

namespace PlayerCalls {

bool Inside() { return openCalls > 0; }

Scope::Scope() { ++openCalls; }
Scope::~Scope() { --openCalls; }

} // namespace PlayerCalls
