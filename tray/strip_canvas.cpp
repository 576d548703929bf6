// The kept composition planes of the two tray icons.
#include "tray/strip_canvas.h"

#include "tray/strip_image.h"

namespace {

constexpr int kIconSize = 16;

MemorySurface LoadPlane(HINSTANCE instance, int resourceId) {
    return MemorySurface(UniqueBitmap(LoadBitmapW(instance, MAKEINTRESOURCEW(resourceId))));
}

// A 32-bit plane for composing into. A section rather than a device-dependent bitmap: the
// planes go in and out of their contexts at every redraw, and that is several times cheaper
// for a section.
MemorySurface NewPlane() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kIconSize;
    info.bmiHeader.biHeight = -kIconSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return MemorySurface(UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
}

bool CopyPlane(const MemorySurface& from, MemorySurface& to) {
    if (!to.Select()) return false;
    return BitBlt(to.get(), 0, 0, kIconSize, kIconSize, from.get(), 0, 0, SRCCOPY) != FALSE;
}

} // namespace

bool StripCanvas::Prepare(HINSTANCE instance) {
    m_empty.color = LoadPlane(instance, StripImage::kEmptyColorBitmap);
    m_empty.mask = LoadPlane(instance, StripImage::kEmptyMaskBitmap);
    // The working planes get the empty ones' pixels at the start of every composition.
    for (Planes& planes : m_planes) {
        planes.color = NewPlane();
        planes.mask = NewPlane();
    }
    if (m_empty.color && m_empty.mask) return true;
    Release();
    return false;
}

bool StripCanvas::Begin(HINSTANCE instance) {
    if (!(m_empty.color && m_empty.mask) && !Prepare(instance)) return false;
    bool ready = true;
    for (Planes& planes : m_planes) {
        ready = CopyPlane(m_empty.color, planes.color) && ready;
        ready = CopyPlane(m_empty.mask, planes.mask) && ready;
    }
    return ready;
}

UniqueIcon StripCanvas::Finish(int icon) {
    Planes& planes = m_planes[icon];
    // The bitmaps of an icon must not be selected into a context while it is made.
    planes.color.Deselect();
    planes.mask.Deselect();
    if (!planes.color.bitmap() || !planes.mask.bitmap()) return UniqueIcon();
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = planes.color.bitmap();
    info.hbmMask = planes.mask.bitmap();
    return UniqueIcon(CreateIconIndirect(&info));
}

void StripCanvas::Release() {
    m_empty.color.reset();
    m_empty.mask.reset();
    for (Planes& planes : m_planes) {
        planes.color.reset();
        planes.mask.reset();
    }
}
