#include "tests/support/config_value.h"

#include <cstring>

std::vector<char> ConfigValue(fb2k_host::LoadedComponent& component, const GUID& guid) {
    std::vector<char> stream = component.GetConfig();
    for (size_t at = 0; at + 20 <= stream.size();) {
        GUID id;
        t_uint32 size;
        std::memcpy(&id, &stream[at], 16);
        std::memcpy(&size, &stream[at + 16], 4);
        if (at + 20 + size > stream.size()) break;
        if (pfc::guid_equal(id, guid))
            return std::vector<char>(stream.begin() + at + 20, stream.begin() + at + 20 + size);
        at += 20 + size;
    }
    return {};
}
