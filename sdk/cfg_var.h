#pragma once
// Configuration variables: static objects of a component, each identified by a GUID, that
// the player saves with its configuration and restores before start-up.
#include "stream.h"
#include "guid.h"
#include <cstring>
#include <type_traits>
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
    // Reads such a stream. Records for unknown GUIDs and values of a size a variable cannot
    // take are skipped; reading stops at the first damaged record (cut short, absurd size, a
    // stream that fails), so every variable before it is restored and every one after it
    // keeps its current value. Never throws for bad data.
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
    cfg_int_t& operator=(T value) {
        m_value = value;
        return *this;
    }

    void get_data_raw(stream_writer* stream, abort_callback& abort) override {
        stream->write(&m_value, sizeof(T), abort);
    }
    void set_data_raw(stream_reader* stream, t_size size, abort_callback& abort) override {
        if (size != sizeof(T)) return;
        unsigned char bytes[sizeof(T)];
        stream->read_object(bytes, sizeof(T), abort);
        m_value = from_bytes(bytes);
    }

private:
    // A stored bool may hold any byte; only 0 and 1 are valid bool objects.
    static T from_bytes(const unsigned char* bytes) {
        if constexpr (std::is_same<T, bool>::value) {
            return bytes[0] != 0;
        } else {
            T value;
            std::memcpy(&value, bytes, sizeof(T));
            return value;
        }
    }
    T m_value;
};

typedef cfg_int_t<t_int32> cfg_int;
typedef cfg_int_t<bool> cfg_bool;

class cfg_string : public cfg_var, public pfc::string8 {
public:
    cfg_string(const GUID& guid, const char* initial) : cfg_var(guid), pfc::string8(initial) {}
    cfg_string& operator=(const char* text) {
        set_string(text);
        return *this;
    }

    void get_data_raw(stream_writer* stream, abort_callback& abort) override {
        stream->write(get_ptr(), get_length(), abort);
    }
    void set_data_raw(stream_reader* stream, t_size size, abort_callback& abort) override {
        std::vector<char> bytes(size);
        if (size) stream->read_object(bytes.data(), size, abort);
        set_string(bytes.data(), size);
    }
};
