#pragma once
// The component's list of service factories: each static factory links itself in front of
// the list while the library loads, and the player walks the list from its head. The player
// reads a factory as {table, next, pointer to the class GUID}.
#include "service.h"

class service_factory_base {
public:
    // Slot 0: a new reference to the factory's instance.
    virtual void instance_create(service_ptr_t<service_base>& out) = 0;
    const GUID& get_class_guid() const { return *m_class_guid; }
    service_factory_base* get_next() const { return m_next; }
    static service_factory_base* list_head();

protected:
    // `class_guid` must outlive the library: it is the interface's own static GUID.
    explicit service_factory_base(const GUID& class_guid);
    ~service_factory_base() = default;

private:
    service_factory_base* m_next;
    const GUID* m_class_guid;
};
static_assert(sizeof(service_factory_base) == 3 * sizeof(void*), "a factory is {table, next, GUID pointer}");

// A factory that hands out one static instance of T, registered under class_guid of the
// interface TInterface (T's own interface unless said otherwise).
template <typename T, typename TInterface = typename T::t_interface> class service_factory_single_t
    : public service_factory_base {
public:
    service_factory_single_t() : service_factory_base(TInterface::class_guid) {}
    void instance_create(service_ptr_t<service_base>& out) override {
        out = static_cast<service_base*>(static_cast<TInterface*>(&m_instance));
    }
    T& get_static_instance() { return m_instance; }

private:
    service_impl_single_t<T> m_instance;
};
