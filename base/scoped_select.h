#pragma once
// An object selected into a device context for a scope: the object the context held before
// goes back in when the scope ends, so the selected one can be deleted afterwards.
#include <windows.h>

class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc) {
        if (!dc || !object) return;
        HGDIOBJ previous = SelectObject(dc, object);
        m_previous = previous == HGDI_ERROR ? nullptr : previous;
    }
    ~ScopedSelectObject() {
        if (m_previous) SelectObject(m_dc, m_previous);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

    // The object went in.
    explicit operator bool() const { return m_previous != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};
