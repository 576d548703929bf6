#pragma once
// Services: reference-counted objects that the player and its components exchange,
// identified by the GUID of the interface class they implement.
#include "abi.h"
#include "guid.h"
#include "pfc.h"
#include <new>
#include <utility>

class service_base;

template <typename T> class service_ptr_t {
public:
    service_ptr_t() = default;
    service_ptr_t(T* p) : m_ptr(p) {
        if (m_ptr) m_ptr->service_add_ref();
    }
    service_ptr_t(const service_ptr_t& other) : service_ptr_t(other.m_ptr) {}
    service_ptr_t(service_ptr_t&& other) noexcept : m_ptr(other.m_ptr) { other.m_ptr = nullptr; }
    template <typename U> service_ptr_t(const service_ptr_t<U>& other) : service_ptr_t(other.get_ptr()) {}
    ~service_ptr_t() { release(); }

    service_ptr_t& operator=(const service_ptr_t& other) {
        service_ptr_t copy(other);
        swap(copy);
        return *this;
    }
    service_ptr_t& operator=(service_ptr_t&& other) noexcept {
        service_ptr_t moved(std::move(other));
        swap(moved);
        return *this;
    }
    service_ptr_t& operator=(T* p) {
        service_ptr_t copy(p);
        swap(copy);
        return *this;
    }

    void release() {
        if (m_ptr) {
            T* p = m_ptr;
            m_ptr = nullptr;
            p->service_release();
        }
    }
    // Takes over a reference that the caller already owns.
    void attach(T* p) {
        release();
        m_ptr = p;
    }
    T* detach() {
        T* p = m_ptr;
        m_ptr = nullptr;
        return p;
    }
    void swap(service_ptr_t& other) noexcept { std::swap(m_ptr, other.m_ptr); }

    T* get_ptr() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    bool is_valid() const { return m_ptr != nullptr; }
    bool is_empty() const { return m_ptr == nullptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

    // Asks the object for another interface; false when it does not implement it.
    template <typename U> bool cast(service_ptr_t<U>& out) const;

private:
    T* m_ptr = nullptr;
};

// The root of every service interface: slots 0-2 of every service's table.
class service_base {
public:
    virtual int service_release() noexcept = 0;
    virtual int service_add_ref() noexcept = 0;
    // Stores this object in `out` for an interface it implements (or one of that interface's
    // ancestors); false for any other interface.
    virtual bool service_query(service_ptr_t<service_base>& out, const GUID& guid) = 0;

    typedef service_base t_interface;
    static bool handles_guid(const GUID&) { return false; }

protected:
    service_base() = default;
    service_base(const service_base&) = delete;
    service_base& operator=(const service_base&) = delete;
    ~service_base() = default;
};

// The player's reference wrapper is one pointer; ours must be too, for the out-parameters
// and results that either side writes into the other's wrapper.
static_assert(sizeof(service_ptr_t<service_base>) == sizeof(void*), "a service reference is one pointer");

// Takes over the reference that arrived in a by-value parameter; it is released with the result.
template <typename T> service_ptr_t<T> adopt(service_by_value<T> argument) {
    service_ptr_t<T> owned;
    owned.attach(argument.get());
    return owned;
}

// Hands a reference to a callee that takes it by value (and releases it).
template <typename T> service_handed_over<T> hand_over(const service_ptr_t<T>& reference) {
    return service_handed_over<T>(reference.get_ptr());
}

// Writes a service reference into a class-result slot: the caller's storage is raw memory.
template <typename T> service_ptr_t<T>* construct_result(service_ptr_t<T>* out, const service_ptr_t<T>& value) {
    return new (out) service_ptr_t<T>(value);
}

// Writes a GUID into a class-result slot.
inline GUID* construct_result(GUID* out, const GUID& value) {
    *out = value;
    return out;
}

template <typename T> template <typename U> bool service_ptr_t<T>::cast(service_ptr_t<U>& out) const {
    out.release();
    if (!m_ptr) return false;
    service_ptr_t<service_base> found;
    if (!m_ptr->service_query(found, U::class_guid)) return false;
    out.attach(static_cast<U*>(found.detach()));
    return true;
}

// Declares an interface class: its GUID, its base and the query that answers for both.
#define FB2K_MAKE_SERVICE_INTERFACE(THIS, PARENT, G1, G2, G3, B0, B1, B2, B3, B4, B5, B6, B7)                          \
public:                                                                                                                \
    typedef THIS t_interface;                                                                                          \
    typedef PARENT t_interface_parent;                                                                                 \
    typedef service_ptr_t<THIS> ptr;                                                                                   \
    static constexpr GUID class_guid = {G1, G2, G3, {B0, B1, B2, B3, B4, B5, B6, B7}};                                 \
    static bool handles_guid(const GUID& guid) {                                                                       \
        return pfc::guid_equal(guid, class_guid) || PARENT::handles_guid(guid);                                        \
    }                                                                                                                  \
                                                                                                                       \
protected:                                                                                                             \
    THIS() = default;                                                                                                  \
    ~THIS() = default;                                                                                                 \
                                                                                                                       \
private:

// An interface that is looked up through the player's service registry.
#define FB2K_MAKE_SERVICE_ENTRYPOINT(THIS, G1, G2, G3, B0, B1, B2, B3, B4, B5, B6, B7)                                 \
    FB2K_MAKE_SERVICE_INTERFACE(THIS, service_base, G1, G2, G3, B0, B1, B2, B3, B4, B5, B6, B7)

// Implements the query for a concrete service class.
template <typename T> bool service_query_impl(T* self, service_ptr_t<service_base>& out, const GUID& guid) {
    if (!T::handles_guid(guid)) return false;
    out = static_cast<service_base*>(static_cast<typename T::t_interface*>(self));
    return true;
}

// A heap-allocated, reference-counted implementation: new service_impl_t<Impl>(...).
template <typename T> class service_impl_t final : public T {
public:
    template <typename... Args> explicit service_impl_t(Args&&... args) : T(std::forward<Args>(args)...) {}
    int service_add_ref() noexcept override { return ++m_refs; }
    int service_release() noexcept override {
        int left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    bool service_query(service_ptr_t<service_base>& out, const GUID& guid) override {
        return service_query_impl<T>(this, out, guid);
    }

private:
    int m_refs = 0;
};

// A static implementation: reference counting does nothing.
template <typename T> class service_impl_single_t : public T {
public:
    template <typename... Args> explicit service_impl_single_t(Args&&... args) : T(std::forward<Args>(args)...) {}
    int service_add_ref() noexcept override { return 1; }
    int service_release() noexcept override { return 1; }
    bool service_query(service_ptr_t<service_base>& out, const GUID& guid) override {
        return service_query_impl<T>(this, out, guid);
    }
};

template <typename T, typename... Args> service_ptr_t<T> fb2k_service_new(Args&&... args) {
    return service_ptr_t<T>(new service_impl_t<T>(std::forward<Args>(args)...));
}
