#pragma once
// Tracks as the player hands them out: where a track lives and what is known about it.
#include "service.h"

class titleformat_object;
class titleformat_hook;
class titleformat_text_filter;

// Where a track lives: an address (local files as "file://C:\...") and a subsong index.
class playable_location {
public:
    virtual const char* get_path() const = 0;       // 0
    virtual void set_path(const char* path) = 0;    // 1
    virtual t_uint32 get_subsong() const = 0;       // 2
    virtual void set_subsong(t_uint32 subsong) = 0; // 3
protected:
    ~playable_location() = default;
};

// What a decoder reported about a track; the component reads only its length.
class file_info {
public:
    // Seconds; 0 when unknown (a stream).
    virtual double get_length() const = 0;       // 0
    virtual void set_length(double seconds) = 0; // 1
protected:
    ~file_info() = default;
};

class metadb_info_container : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(metadb_info_container, service_base, 0xD1FDCC01, 0x1E84, 0x48E6, 0xBF, 0x5F, 0x37, 0x74,
                                0xD1, 0xCD, 0xC0, 0x0E)
public:
    virtual const file_info& info() const = 0; // 3
    FB2K_UNUSED_SLOT(stats_slot)               // 4
    FB2K_UNUSED_SLOT(is_info_partial_slot)     // 5
};

class metadb_handle : public service_base {
    FB2K_MAKE_SERVICE_INTERFACE(metadb_handle, service_base, 0x160885C6, 0x3AA3, 0x4F60, 0x87, 0x18, 0x12, 0x40, 0x61,
                                0x5E, 0x64, 0x14)
public:
    virtual const playable_location& get_location() const = 0; // 3
    // False when the track's information could not be had.
    virtual bool format_title(titleformat_hook* hook, pfc::string_base& out,
                              const service_ptr_t<titleformat_object>& script,
                              titleformat_text_filter* filter) = 0;   // 4
    FB2K_UNUSED_SLOT(metadb_lock_slot)                                // 5
    FB2K_UNUSED_SLOT(metadb_unlock_slot)                              // 6
    FB2K_UNUSED_SLOT(get_filestats_slot)                              // 7
    FB2K_UNUSED_SLOT(is_info_loaded_slot)                             // 8
    FB2K_UNUSED_SLOT(get_info_slot)                                   // 9
    FB2K_UNUSED_SLOT(get_info_locked_slot)                            // 10
    FB2K_UNUSED_SLOT(is_info_loaded_async_slot)                       // 11
    FB2K_UNUSED_SLOT(get_info_async_slot)                             // 12
    FB2K_UNUSED_SLOT(get_info_async_locked_slot)                      // 13
    FB2K_UNUSED_SLOT(format_title_from_external_info_slot)            // 14
    FB2K_UNUSED_SLOT(format_title_nonlocking_slot)                    // 15
    FB2K_UNUSED_SLOT(format_title_from_external_info_nonlocking_slot) // 16
    FB2K_UNUSED_SLOT(get_browse_info_slot)                            // 17
    FB2K_UNUSED_SLOT(get_browse_info_locked_slot)                     // 18
    // What is known about the track (a class result: see abi.h).
    virtual service_ptr_t<metadb_info_container>*
    get_info_ref(service_ptr_t<metadb_info_container>* out) const = 0; // 19

    const char* get_path() const { return get_location().get_path(); }
    // Length in seconds, as the player knows it: 0 when unknown (a stream), negative when the
    // decoder reports nonsense.
    double get_length() const;
};
typedef service_ptr_t<metadb_handle> metadb_handle_ptr;
