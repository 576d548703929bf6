#include "tests/support/encoded_picture.h"

#include "base/com_ptr.h"
#include "base/system_handles.h"

#include <wincodec.h>
#include <cstdlib>
#include <string>

namespace {

std::vector<char> StreamBytes(IStream* stream) {
    STATSTG stat = {};
    std::vector<char> bytes;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return bytes;
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

} // namespace

namespace {

// Encodes rows made by `fill(y, row)` (24-bit BGR, `stride` bytes each).
template <typename Fill> std::vector<char> Encode(const GUID& container, int width, int height, Fill fill) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return {};
    ComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
        return {};
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr))) return {};
    frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    const UINT stride = (static_cast<UINT>(width) * 3 + 3) / 4 * 4;
    std::vector<BYTE> row(stride);
    // 24-bit BGR, or whatever the encoder asked for: only 24-bit BGR is offered here.
    if (format != GUID_WICPixelFormat24bppBGR) return {};
    for (int y = 0; y < height; ++y) {
        fill(y, row.data());
        if (FAILED(frame->WritePixels(1, stride, stride, row.data()))) return {};
    }
    if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return {};
    return StreamBytes(stream.get());
}

} // namespace

std::vector<char> SolidPicture(const GUID& container, int width, int height, uint32_t rgb) {
    return Encode(container, width, height, [width, rgb](int, BYTE* row) {
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<BYTE>(rgb);
            row[x * 3 + 1] = static_cast<BYTE>(rgb >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(rgb >> 16);
        }
    });
}

std::vector<char> BusyPicture(const GUID& container, int width, int height) {
    return Encode(container, width, height, [width](int y, BYTE* row) {
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<BYTE>(x * 255 / width);
            row[x * 3 + 1] = static_cast<BYTE>((x * 7) ^ (y * 13));
            row[x * 3 + 2] = static_cast<BYTE>(((x / 16 + y / 16) & 1) ? 230 : 40);
        }
    });
}

std::vector<char> KeptPicture(const char* name) {
    // Wine shows the Unix file system as drive Z:.
    const std::string path = std::string("Z:") + TRELVANE_KEPT_PICTURES + "/" + name;
    UniqueKernelHandle file =
        OwnFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 24)) return {};
    std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

void AnnounceJpegSize(std::vector<char>& jpeg, int width, int height) {
    auto at = [&jpeg](size_t i) { return i < jpeg.size() ? static_cast<unsigned char>(jpeg[i]) : 0; };
    // Segment by segment from the start of the image: the frame header is the first SOFn.
    for (size_t i = 2; at(i) == 0xFF && i + 9 < jpeg.size(); i += 2 + (at(i + 2) << 8 | at(i + 3))) {
        const int marker = at(i + 1);
        if (marker < 0xC0 || marker > 0xCF || marker == 0xC4 || marker == 0xC8 || marker == 0xCC) continue;
        jpeg[i + 5] = static_cast<char>(height >> 8);
        jpeg[i + 6] = static_cast<char>(height);
        jpeg[i + 7] = static_cast<char>(width >> 8);
        jpeg[i + 8] = static_cast<char>(width);
        return;
    }
}

bool NearColour(uint32_t pixel, uint32_t argb, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((pixel >> shift) & 0xFF) - int((argb >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes) {
    UniqueKernelHandle file =
        OwnFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok =
        bytes.empty() || WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}
