#pragma once
// How values cross between the player (built with MSVC) and a component built with g++, where
// the two compilers disagree. Both bitnesses are covered; only these spots differ.
//
// - A member function that returns a class (a GUID, a service reference) receives a hidden
//   result pointer right after `this` under MSVC; g++ would put it before `this`. Such slots are
//   declared with an explicit out-pointer as their first parameter, and return it.
// - A service reference passed by value is destroyed by the callee under MSVC. On x64 the
//   argument is the address of the caller's copy, on x86 the copy itself (one pointer).
// - None of the interfaces has a virtual destructor; objects are released only through their
//   own reference counting.
#include <cstddef>
#include <cstdint>

template <typename T> class service_ptr_t;

// A service reference as it arrives in a by-value parameter. The callee owns the reference.
template <typename T> struct service_by_value {
#if defined(__i386__)
    T* object;
    T* get() const { return object; }
#else
    T* const* copy;
    T* get() const { return copy ? *copy : nullptr; }
#endif
};

// The caller's side of a by-value parameter: adds the reference that the callee releases.
// Lives until the end of the full expression of the call.
template <typename T> class service_handed_over {
public:
    explicit service_handed_over(T* object) : m_object(object) {
        if (m_object) m_object->service_add_ref();
    }
    service_handed_over(const service_handed_over&) = delete;
    service_handed_over& operator=(const service_handed_over&) = delete;
    operator service_by_value<T>() const {
#if defined(__i386__)
        return {m_object};
#else
        return {&m_object};
#endif
    }

private:
    T* m_object;
};

// A slot that this side never calls or answers, kept so that the slots after it keep their
// positions. Reaching one means the two sides disagree about the table: stop at once.
[[noreturn]] inline void fb2k_unused_slot_called() { __builtin_trap(); }
#define FB2K_UNUSED_SLOT(name)                                                                                         \
    virtual void name() { fb2k_unused_slot_called(); }

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "x86 or x64 only");
