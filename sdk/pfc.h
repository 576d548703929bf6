#pragma once
// The player SDK's small utility layer: strings and the exception family that crosses
// between the player and its components.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cstddef>
#include <exception>
#include <string>

typedef std::size_t t_size;
typedef std::uint8_t t_uint8;
typedef std::uint32_t t_uint32;
typedef std::int32_t t_int32;
typedef std::uint64_t t_uint64;
typedef std::int64_t t_int64;

// A length that stands for "up to the terminating NUL".
constexpr std::size_t pfc_infinite = SIZE_MAX;

namespace pfc {

class exception : public std::exception {
public:
    exception() : m_message("unnamed exception") {}
    explicit exception(const char* message) : m_message(message ? message : "") {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

class exception_bug_check : public exception {
public:
    exception_bug_check() : exception("Bug check") {}
    explicit exception_bug_check(const char* message) : exception(message) {}
};

// Thrown by the SDK for an impossible state that is worth reporting but not fatal.
class exception_bug_check_v2 : public exception_bug_check {
public:
    exception_bug_check_v2() : exception_bug_check("Bug check") {}
};

// The string interface passed across the player/component boundary: every operation is
// virtual, so either side may hand its own implementation to the other, and the other side may
// call any of the seven slots (the player fills strings through lock_buffer/unlock_buffer too).
class string_base {
public:
    // Appends at most `length` bytes of `text`, stopping at a NUL.
    virtual void add_string(const char* text, t_size length = SIZE_MAX) = 0;
    virtual const char* get_ptr() const = 0;
    virtual void set_string(const char* text, t_size length = SIZE_MAX) = 0;
    virtual void truncate(t_size length) = 0;
    virtual t_size get_length() const = 0;
    // A cleared, writable buffer of at least length + 1 bytes; null when it cannot be had.
    virtual char* lock_buffer(t_size length) = 0;
    // Ends a lock_buffer: the text is whatever the buffer holds up to its first NUL.
    virtual void unlock_buffer() = 0;

    bool is_empty() const { return get_length() == 0; }
    const char* c_str() const { return get_ptr(); }
    operator const char*() const { return get_ptr(); }
    string_base& operator=(const char* text) {
        set_string(text);
        return *this;
    }
    string_base& operator+=(const char* text) {
        add_string(text);
        return *this;
    }

protected:
    string_base() = default;
    string_base(const string_base&) = default;
    string_base& operator=(const string_base&) = default;
    ~string_base() = default;
};

class string8 : public string_base {
public:
    string8() = default;
    string8(const char* text) { set_string(text); }
    string8(const char* text, t_size length) { set_string(text, length); }
    string8(const string8& other) : string_base(), m_text(other.m_text) {}
    string8& operator=(const string8& other) {
        m_text = other.m_text;
        return *this;
    }
    string8& operator=(const char* text) {
        set_string(text);
        return *this;
    }

    const char* get_ptr() const override { return m_text.c_str(); }
    void add_string(const char* text, t_size length = SIZE_MAX) override {
        if (!text) return;
        // Copy first: the text may point into this string.
        std::string piece(text, bounded_length(text, length));
        m_text += piece;
    }
    void set_string(const char* text, t_size length = SIZE_MAX) override {
        std::string copy = text ? std::string(text, bounded_length(text, length)) : std::string();
        m_text.swap(copy);
    }
    void truncate(t_size length) override {
        if (length < m_text.size()) m_text.resize(length);
    }
    t_size get_length() const override { return m_text.size(); }
    char* lock_buffer(t_size length) override {
        if (length >= m_text.max_size()) return nullptr;
        try {
            m_text.assign(length, '\0');
        } catch (...) {
            return nullptr; // no memory for it: the caller is told so, nothing leaves
        }
        return &m_text[0];
    }
    void unlock_buffer() override { m_text.resize(std::strlen(m_text.c_str())); }

    bool operator==(const char* text) const { return m_text == (text ? text : ""); }
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    static t_size bounded_length(const char* text, t_size limit) {
        t_size n = 0;
        while (n < limit && text[n] != 0) ++n;
        return n;
    }
    std::string m_text;
};

// A set of positions, passed to and from the player's playlist operations.
class bit_array {
public:
    virtual bool get(t_size index) const = 0;
    // The first index in [start, start + count) whose bit equals `value` (searching downwards
    // over -count positions when count is negative); start + count when there is none.
    virtual t_size find(bool value, t_size start, std::ptrdiff_t count) const {
        std::ptrdiff_t step = count < 0 ? -1 : 1;
        t_size index = start;
        for (std::ptrdiff_t left = count < 0 ? -count : count; left > 0; --left, index += step)
            if (get(index) == value) return index;
        return index;
    }

protected:
    ~bit_array() = default;
};

class bit_array_var : public bit_array {
public:
    virtual void set(t_size index, bool value) = 0;

protected:
    ~bit_array_var() = default;
};

// Every position set (or none).
class bit_array_true : public bit_array {
public:
    bool get(t_size) const override { return true; }
};

// Exactly one position set.
class bit_array_one : public bit_array {
public:
    explicit bit_array_one(t_size index) : m_index(index) {}
    bool get(t_size index) const override { return index == m_index; }

private:
    t_size m_index;
};

} // namespace pfc
