#pragma once
#include "service.h"

// A compiled title-formatting script; only the player knows what is inside.
class titleformat_object : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(titleformat_object, service_base, 0x9E76854E, 0x354E, 0x44A0, 0xBA, 0xDE, 0x7A, 0x49, 0x83, 0x37, 0xC1, 0x58)
public:
    virtual const char* get_source() const = 0;
};

class titleformat_compiler : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(titleformat_compiler, 0x2858A78F, 0x53AD, 0x4460, 0xB4, 0x8A, 0x5D, 0xBD, 0x91, 0x7F, 0x5C, 0x78)
public:
    // False when the pattern cannot be compiled at all.
    virtual bool compile(service_ptr_t<titleformat_object>& out, const char* pattern) = 0;
};
