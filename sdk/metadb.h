#pragma once
#include "service.h"

class titleformat_object;
class titleformat_hook;
class titleformat_text_filter;

// Where a track lives: a path (a file or a stream address) and a subsong index.
struct playable_location {
    pfc::string8 path;
    t_uint32 subsong = 0;
    const char* get_path() const { return path.get_ptr(); }
    t_uint32 get_subsong() const { return subsong; }
};

class metadb_handle : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(metadb_handle, 0x41996A01, 0x8520, 0x49B4, 0x9D, 0xD7, 0x75, 0xCB, 0xFA, 0x3E, 0x25, 0x70)
public:
    virtual const playable_location& get_location() const = 0;
    // Length in seconds; 0 when unknown (a stream), negative when the decoder reports nonsense.
    virtual double get_length() = 0;
    virtual void format_title(titleformat_hook* hook, pfc::string_base& out,
                              const service_ptr_t<titleformat_object>& script,
                              titleformat_text_filter* filter) = 0;
    const char* get_path() const { return get_location().get_path(); }
};
typedef service_ptr_t<metadb_handle> metadb_handle_ptr;
