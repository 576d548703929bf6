#pragma once
// The calling thread's open call-stack scopes, read back from shared.dll's path.
#include "host/call_stack.h"
#include <cstddef>

inline std::size_t OpenScopeCount() { return fb2k_host::OpenScopes().size(); }
