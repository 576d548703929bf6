#pragma once
#include "service.h"

// Start-up and shut-down hooks, called on the main thread.
class initquit : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(initquit, 0x113773C4, 0xB387, 0x4B48, 0x8B, 0xDF, 0xAB, 0x58, 0xBC, 0x6C, 0xE5, 0x38)
public:
    virtual void on_init() {}
    virtual void on_quit() {}
};
