#pragma once
// The one owner of a Win32 handle: the handle kinds differ only by how they are released.

// Owns one handle and releases it with Deleter; moves, never copies. An empty owner holds
// null (a kind that reports failure otherwise, such as INVALID_HANDLE_VALUE, is stored as null).
template <typename Handle, typename Deleter> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle release() {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr) {
        if (m_handle) Deleter()(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};
