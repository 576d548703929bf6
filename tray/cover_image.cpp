// Decoding through the Windows Imaging Component: the bytes become a stream, the decoder
// finds the format itself, a converter gives premultiplied 32-bit pixels (also from CMYK,
// palette and grey pictures), and the area filter shrinks them.
#include "tray/cover_image.h"

#include "base/com_ptr.h"

#include <wincodec.h>

namespace {

// COM on this thread for the decode: the player's main thread has it already, a test's
// thread may not. Balanced only where this call started it.
class ComForThisThread {
public:
    ComForThisThread() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComForThisThread() {
        if (m_started) CoUninitialize();
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

private:
    bool m_started;
};

bool FirstFrame(IWICImagingFactory* factory, const void* data, size_t size, ComPtr<IWICBitmapFrameDecode>& frame) {
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put()))) return false;
    if (FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return false;
    return SUCCEEDED(decoder->GetFrame(0, frame.put()));
}

bool ReadPremultiplied(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width, UINT height, Pixels& out) {
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put()))) return false;
    if (FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.argb.assign(static_cast<size_t>(width) * height, 0);
    const UINT stride = width * 4;
    return SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(out.argb.data())));
}

} // namespace

namespace CoverImage {

Outcome Decode(const void* data, size_t size, int side, Pixels& out) {
    out = Pixels();
    if (!data || size == 0) return Outcome::Empty;
    // A stream over memory takes a 32-bit length; a cover of 4 GB is no cover.
    if (size > 0xFFFFFFFFu) return Outcome::TooLarge;
    ComForThisThread com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return Outcome::Undecodable;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (!FirstFrame(factory.get(), data, size, frame)) return Outcome::Undecodable;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return Outcome::Undecodable;
    if (static_cast<long long>(width) * height > kMaxPixels) return Outcome::TooLarge;
    Pixels full;
    if (!ReadPremultiplied(factory.get(), frame.get(), width, height, full)) return Outcome::Undecodable;
    int w = 0, h = 0;
    FitInSquare(full.width, full.height, side, w, h);
    out = ScaleArea(full, w, h);
    return out.width > 0 ? Outcome::Decoded : Outcome::Undecodable;
}

} // namespace CoverImage
