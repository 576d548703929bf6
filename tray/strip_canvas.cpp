// The kept composition planes of the two tray icons.
#include "tray/strip_canvas.h"

#include "tray/strip_image.h"

namespace {

constexpr int kResourcePlaneSize = 16; // bitmaps IDB_EMPTY_COLOUR and IDB_EMPTY_MASK

// One empty plane of the drawn size from a uniform 16 x 16 bitmap resource: as it is at 16
// pixels (the cheaper call), stretched at other sizes.
MemorySurface LoadPlane(HINSTANCE instance, int resourceId, int size) {
    if (size == kResourcePlaneSize)
        return MemorySurface(UniqueBitmap(LoadBitmapW(instance, MAKEINTRESOURCEW(resourceId))));
    return MemorySurface(UniqueBitmap(
        static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, size, size, 0))));
}

// A 32-bit plane for composing into. A section rather than a device-dependent bitmap: the
// planes go in and out of their contexts at every redraw, and that is several times cheaper
// for a section.
MemorySurface NewPlane(int size) {
    BITMAPINFO info = TopDown32(size, size);
    void* bits = nullptr;
    return MemorySurface(UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
}

} // namespace

// A composition may clip its context (a layout smaller than the icon): the next one starts
// unclipped.
bool StripCanvas::CopyEmpty(const MemorySurface& from, MemorySurface& to) const {
    if (!to.Select()) return false;
    SelectClipRgn(to.get(), nullptr);
    return BitBlt(to.get(), 0, 0, m_size, m_size, from.get(), 0, 0, SRCCOPY) != FALSE;
}

bool StripCanvas::Prepare(HINSTANCE instance, int size) {
    Release();
    m_size = size;
    m_empty.color = LoadPlane(instance, StripImage::kEmptyColorBitmap, size);
    m_empty.mask = LoadPlane(instance, StripImage::kEmptyMaskBitmap, size);
    // The working planes get the empty ones' pixels at the start of every composition.
    for (Planes& planes : m_planes) {
        planes.color = NewPlane(size);
        planes.mask = NewPlane(size);
    }
    if (m_empty.color && m_empty.mask) return true;
    Release();
    return false;
}

bool StripCanvas::Begin(HINSTANCE instance, int size) {
    bool prepared = m_size == size && m_empty.color && m_empty.mask;
    if (!prepared && !Prepare(instance, size)) return false;
    bool ready = true;
    for (Planes& planes : m_planes) {
        ready = CopyEmpty(m_empty.color, planes.color) && ready;
        ready = CopyEmpty(m_empty.mask, planes.mask) && ready;
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
    m_size = 0;
    m_empty.color.reset();
    m_empty.mask.reset();
    for (Planes& planes : m_planes) {
        planes.color.reset();
        planes.mask.reset();
    }
}
