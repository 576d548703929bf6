#pragma once
// The component's list of service factories: each static factory links itself in front of
// the list while the library loads, and the player walks the list from its head.
#include "service.h"

class service_factory_base {
public:
    virtual void instance_create(service_ptr_t<service_base>& out) = 0;
    const GUID& get_class_guid() const { return m_class_guid; }
    service_factory_base* get_next() const { return m_next; }
    static service_factory_base* list_head();
protected:
    explicit service_factory_base(const GUID& class_guid);
    ~service_factory_base() = default;
private:
    GUID m_class_guid;
    service_factory_base* m_next;
};

// A factory that hands out one static instance of T, registered under class_guid of the
// interface TInterface (T's own interface unless said otherwise).
template <typename T, typename TInterface = typename T::t_interface>
class service_factory_single_t : public service_factory_base {
public:
    service_factory_single_t() : service_factory_base(TInterface::class_guid) {}
    void instance_create(service_ptr_t<service_base>& out) override {
        out = static_cast<service_base*>(static_cast<TInterface*>(&m_instance));
    }
    T& get_static_instance() { return m_instance; }
private:
    service_impl_single_t<T> m_instance;
};
