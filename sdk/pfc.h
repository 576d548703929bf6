#pragma once
// The player SDK's small utility layer: strings and the exception family that crosses
// between the player and its components.
#include <cstddef>
#include <cstdint>
#include <cstring>
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
// virtual, so either side may hand its own implementation to the other.
class string_base {
public:
    virtual const char* get_ptr() const = 0;
    virtual void add_string(const char* text, t_size length = SIZE_MAX) = 0;
    virtual void set_string(const char* text, t_size length = SIZE_MAX) = 0;
    virtual void truncate(t_size length) = 0;
    virtual t_size get_length() const = 0;

    bool is_empty() const { return get_length() == 0; }
    const char* c_str() const { return get_ptr(); }
    operator const char*() const { return get_ptr(); }
    string_base& operator=(const char* text) { set_string(text); return *this; }
    string_base& operator+=(const char* text) { add_string(text); return *this; }
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
    string8& operator=(const string8& other) { m_text = other.m_text; return *this; }
    string8& operator=(const char* text) { set_string(text); return *this; }

    const char* get_ptr() const override { return m_text.c_str(); }
    void add_string(const char* text, t_size length = SIZE_MAX) override {
        if (text) m_text.append(text, bounded_length(text, length));
    }
    void set_string(const char* text, t_size length = SIZE_MAX) override {
        // Copy first: the text may point into this string.
        std::string copy = text ? std::string(text, bounded_length(text, length)) : std::string();
        m_text.swap(copy);
    }
    void truncate(t_size length) override { if (length < m_text.size()) m_text.resize(length); }
    t_size get_length() const override { return m_text.size(); }

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

} // namespace pfc
