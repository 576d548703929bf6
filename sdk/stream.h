#pragma once
// Byte streams and the abort signal that the player passes with every long operation.
#include "abi.h"
#include "pfc.h"
#include <windows.h>

class abort_callback {
public:
    virtual bool is_aborting() const = 0;
    // An event the player signals on abort; never closed or signalled by the component.
    virtual HANDLE get_abort_event() const = 0;

protected:
    ~abort_callback() = default;
};

class abort_callback_dummy : public abort_callback {
public:
    bool is_aborting() const override { return false; }
    HANDLE get_abort_event() const override { return nullptr; }
};

class exception_io : public pfc::exception {
public:
    explicit exception_io(const char* message = "I/O error") : pfc::exception(message) {}
};

class stream_reader {
public:
    // Reads up to `bytes`; returns how many were read (fewer only at the end of the stream).
    virtual t_size read(void* buffer, t_size bytes, abort_callback& abort) = 0; // 0
    // The player's own readers report failures of these by exceptions of its compiler, which
    // no g++ code can catch: the component uses slot 0 alone.
    FB2K_UNUSED_SLOT(read_object_slot) // 1
    FB2K_UNUSED_SLOT(skip_slot)        // 2
    FB2K_UNUSED_SLOT(skip_object_slot) // 3

    // Reads exactly `bytes` or throws exception_io (through slot 0 only).
    void read_object(void* buffer, t_size bytes, abort_callback& abort) {
        if (read(buffer, bytes, abort) != bytes) throw exception_io("Unexpected end of file");
    }

protected:
    ~stream_reader() = default;
};

class stream_writer {
public:
    virtual void write(const void* buffer, t_size bytes, abort_callback& abort) = 0; // 0
protected:
    ~stream_writer() = default;
};
