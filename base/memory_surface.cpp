// Memory device contexts that own the bitmap selected into them.
#include "base/gdi_handles.h"

#include <utility>

MemorySurface::MemorySurface(UniqueBitmap bitmap) : m_bitmap(std::move(bitmap)) {
    if (!m_bitmap) return;
    m_dc.reset(CreateCompatibleDC(nullptr));
    if (!m_dc) return;
    HGDIOBJ original = SelectObject(m_dc.get(), m_bitmap.get());
    m_original = original == HGDI_ERROR ? nullptr : original;
}

MemorySurface::MemorySurface(MemorySurface&& other) noexcept
    : m_dc(std::move(other.m_dc)), m_bitmap(std::move(other.m_bitmap)), m_original(other.m_original) {
    other.m_original = nullptr;
}

MemorySurface& MemorySurface::operator=(MemorySurface&& other) noexcept {
    if (this != &other) {
        reset();
        m_dc = std::move(other.m_dc);
        m_bitmap = std::move(other.m_bitmap);
        m_original = other.m_original;
        other.m_original = nullptr;
    }
    return *this;
}

UniqueBitmap MemorySurface::TakeBitmap() {
    if (m_dc && m_original) SelectObject(m_dc.get(), m_original);
    m_original = nullptr;
    m_dc.reset();
    return std::move(m_bitmap);
}

void MemorySurface::Deselect() {
    if (m_dc && m_original) SelectObject(m_dc.get(), m_original);
    m_original = nullptr;
}

bool MemorySurface::Select() {
    if (m_original) return true;
    if (!m_dc || !m_bitmap) return false;
    HGDIOBJ original = SelectObject(m_dc.get(), m_bitmap.get());
    m_original = original == HGDI_ERROR ? nullptr : original;
    return m_original != nullptr;
}

void MemorySurface::reset() { TakeBitmap().reset(); }
