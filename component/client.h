#pragma once
// What the player told the component about itself through the client object.
#include "sdk/pfc.h"

namespace client_state {
const char* LibraryPath();
const char* LibraryName();
bool ServicesAvailable();
bool Initialized();
} // namespace client_state
