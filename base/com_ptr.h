#pragma once
// The one owner of a COM interface pointer: released once, moved, never copied.
#include <unknwn.h>

template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            m_object = other.m_object;
            other.m_object = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const { return m_object; }
    Interface* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // For the out-parameter of a creating call; whatever was held goes first.
    Interface** put() {
        reset();
        return &m_object;
    }
    void reset() {
        if (m_object) m_object->Release();
        m_object = nullptr;
    }

private:
    Interface* m_object = nullptr;
};
