#pragma once
// One configuration variable's value in a loaded component's configuration stream.
#include "host/component_loader.h"

#include <vector>

// The value bytes stored for `guid` (records of GUID, 32-bit size, value); empty when the
// stream holds no such record.
std::vector<char> ConfigValue(fb2k_host::LoadedComponent& component, const GUID& guid);
