#pragma once
#include "service.h"

class titleformat_hook;
class titleformat_text_filter;

// A compiled title-formatting script; only the player knows what is inside.
class titleformat_object : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(titleformat_object, service_base, 0x4AC9408E, 0x4D9C, 0x4135, 0xAC, 0xB5, 0x2C, 0xAB,
                                0x35, 0x37, 0x6F, 0xC9)
public:
    virtual void run(titleformat_hook* hook, pfc::string_base& out, titleformat_text_filter* filter) = 0; // 3
};

class titleformat_compiler : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(titleformat_compiler, 0x3F7674AB, 0x044C, 0x4796, 0x88, 0x01, 0x6C, 0x44, 0x3C, 0x24,
                                 0x4D, 0x88)
public:
    // False when the pattern cannot be compiled at all.
    virtual bool compile(service_ptr_t<titleformat_object>& out, const char* pattern) = 0; // 3
};
