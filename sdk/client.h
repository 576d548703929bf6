#pragma once
// The client object through which the player talks to a loaded component.
#include "service_factory.h"
#include "stream.h"

class foobar2000_api;

class foobar2000_client {
public:
    // The API level the component is built for. The player refuses levels it does not know
    // (above its own) and levels below its floor (80 on x64, 72 on x86); 80 loads on both.
    enum { FOOBAR2000_CLIENT_VERSION = 80 };
    virtual t_uint32 get_version() = 0;                                        // 0
    virtual service_factory_base* get_service_list() = 0;                      // 1
    virtual void get_config(stream_writer* stream, abort_callback& abort) = 0; // 2
    virtual void set_config(stream_reader* stream, abort_callback& abort) = 0; // 3
    virtual void set_library_path(const char* path, const char* name) = 0;     // 4
    virtual void services_init(bool val) = 0;                                  // 5
    virtual bool is_debug() = 0;                                               // 6
protected:
    ~foobar2000_client() = default;
};

// The single export of a component library: C linkage, the platform's default convention.
typedef foobar2000_client* (*foobar2000_get_interface_t)(foobar2000_api* api, HINSTANCE instance);
