// A JPEG at least eight times the square's size is read from its block means alone; anything
// else goes through the Windows Imaging Component: the bytes become a stream, the decoder finds
// the format itself, and the area filter shrinks the rows as they are copied out.
#include "tray/cover_image.h"

#include "base/com_ptr.h"
#include "base/jpeg_eighth.h"

#include <wincodec.h>
#include <utility>
#include <vector>

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

constexpr UINT kBandRows = 32;

// Copies the frame in bands of rows into the scaler: JPEG's own 24-bit colour as it is, anything
// else (alpha, palettes, grey, CMYK) through a converter to premultiplied 32-bit pixels.
bool Scale(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width, UINT height, AreaScaler& scaler) {
    WICPixelFormatGUID format = {};
    frame->GetPixelFormat(&format);
    const bool bgr = IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    ComPtr<IWICFormatConverter> converter;
    IWICBitmapSource* source = frame;
    if (!bgr) {
        if (FAILED(factory->CreateFormatConverter(converter.put())) ||
            FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom)))
            return false;
        source = converter.get();
    }
    const UINT stride = bgr ? (width * 3 + 3) / 4 * 4 : width * 4;
    std::vector<BYTE> band(static_cast<size_t>(stride) * kBandRows);
    for (UINT top = 0; top < height; top += kBandRows) {
        const UINT rows = height - top < kBandRows ? height - top : kBandRows;
        const WICRect rect = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(source->CopyPixels(&rect, stride, stride * rows, band.data()))) return false;
        for (UINT y = 0; y < rows; ++y) {
            const BYTE* row = &band[static_cast<size_t>(y) * stride];
            if (bgr) scaler.AddBgrRow(row);
            else scaler.AddRow(reinterpret_cast<const uint32_t*>(row));
        }
    }
    return true;
}

// A JPEG whose eighth still covers the square: its block means, shrunk the rest of the way by the
// same area filter, are what the filter makes of the whole picture. False when the picture is
// smaller, or one the block reader does not take.
bool DecodeFromBlockMeans(const void* data, size_t size, int width, int height, int side, Pixels& out) {
    int w = 0, h = 0;
    FitInSquare(width, height, side, w, h);
    JpegEighth::Picture eighth;
    if ((width + 7) / 8 < w || (height + 7) / 8 < h || !JpegEighth::Decode(data, size, CoverImage::kMaxPixels, eighth))
        return false;
    Pixels means;
    means.width = eighth.width;
    means.height = eighth.height;
    means.argb = std::move(eighth.argb);
    out = ScaleArea(means, w, h);
    return out.width > 0;
}

using CoverImage::Outcome;

Outcome DecodeThroughTheSystem(const void* data, size_t size, int side, Pixels& out) {
    ComForThisThread com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return Outcome::Undecodable;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (!FirstFrame(factory.get(), data, size, frame)) return Outcome::Undecodable;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return Outcome::Undecodable;
    if (static_cast<long long>(width) * height > CoverImage::kMaxPixels) return Outcome::TooLarge;
    int w = 0, h = 0;
    FitInSquare(static_cast<int>(width), static_cast<int>(height), side, w, h);
    AreaScaler scaler(static_cast<int>(width), static_cast<int>(height), w, h);
    if (!Scale(factory.get(), frame.get(), width, height, scaler)) return Outcome::Undecodable;
    out = scaler.Result();
    return out.width > 0 ? Outcome::Decoded : Outcome::Undecodable;
}

} // namespace

namespace CoverImage {

Outcome Decode(const void* data, size_t size, int side, Pixels& out) {
    out = Pixels();
    if (!data || size == 0) return Outcome::Empty;
    // A stream over memory takes a 32-bit length; a cover of 4 GB is no cover.
    if (size > 0xFFFFFFFFu) return Outcome::TooLarge;
    // A JPEG's size is known from its header, before anything is decoded.
    int jpegWidth = 0, jpegHeight = 0;
    if (JpegEighth::FrameSize(data, size, jpegWidth, jpegHeight)) {
        if (static_cast<long long>(jpegWidth) * jpegHeight > kMaxPixels) return Outcome::TooLarge;
        if (DecodeFromBlockMeans(data, size, jpegWidth, jpegHeight, side, out)) return Outcome::Decoded;
    }
    return DecodeThroughTheSystem(data, size, side, out);
}

} // namespace CoverImage
