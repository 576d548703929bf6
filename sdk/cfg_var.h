#pragma once
// Configuration variables: static objects of a component, each identified by a GUID, that
// the player saves with its configuration and restores before start-up.
#include "stream.h"
#include "guid.h"
#include <vector>

class cfg_var {
public:
    const GUID& get_guid() const { return m_guid; }
    cfg_var* get_next() const { return m_next; }
    static cfg_var* list_head();

    virtual void get_data_raw(stream_writer* stream, abort_callback& abort) = 0;
    // Restores the value from exactly `size` bytes; a value of a size it cannot take is ignored.
    virtual void set_data_raw(stream_reader* stream, t_size size, abort_callback& abort) = 0;

    // The whole list as one stream: for each variable its GUID, a 32-bit byte count and the bytes.
    static void config_write_all(stream_writer* stream, abort_callback& abort);
    // Reads such a stream. Records for unknown GUIDs are skipped; reading stops at the first
    // damaged record, so every variable before it is restored and every one after it keeps
    // its current value.
    static void config_read_all(stream_reader* stream, abort_callback& abort);
protected:
    explicit cfg_var(const GUID& guid);
    ~cfg_var() = default;
    cfg_var(const cfg_var&) = delete;
    cfg_var& operator=(const cfg_var&) = delete;
private:
    GUID m_guid;
    cfg_var* m_next;
};

template <typename T> class cfg_int_t : public cfg_var {
public:
    cfg_int_t(const GUID& guid, T initial) : cfg_var(guid), m_value(initial) {}
    operator T() const { return m_value; }
    T get_value() const { return m_value; }
    cfg_int_t& operator=(T value) { m_value = value; return *this; }

    void get_data_raw(stream_writer* stream, abort_callback& abort) override {
        stream->write(&m_value, sizeof(T), abort);
    }
    void set_data_raw(stream_reader* stream, t_size size, abort_callback& abort) override {
        if (size != sizeof(T)) return;
        T value;
        stream->read_object(&value, sizeof(T), abort);
        m_value = value;
    }
private:
    T m_value;
};

typedef cfg_int_t<t_int32> cfg_int;
typedef cfg_int_t<bool> cfg_bool;

class cfg_string : public cfg_var, public pfc::string8 {
public:
    cfg_string(const GUID& guid, const char* initial) : cfg_var(guid), pfc::string8(initial) {}
    cfg_string& operator=(const char* text) { set_string(text); return *this; }

    void get_data_raw(stream_writer* stream, abort_callback& abort) override {
        stream->write(get_ptr(), get_length(), abort);
    }
    void set_data_raw(stream_reader* stream, t_size size, abort_callback& abort) override {
        std::vector<char> bytes(size);
        if (size) stream->read_object(bytes.data(), size, abort);
        set_string(bytes.data(), size);
    }
};
