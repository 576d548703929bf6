// What the card costs: reading and scaling a 3000 x 3000 JPEG cover (goal: at most 30 ms under
// Wine; a photograph's fine texture everywhere, the slowest kind to read), on the decoding thread and on the player's thread, which only hands it over; 10,000
// track changes, each with a new cover, while the card is shown (goal: no growth of
// GDI objects or memory); and the card's tick while nothing changes (goal: no GDI object
// created, no shell call).
#include "controller/Trelvane.h"
#include "base/com_ptr.h"
#include "controller/strip_card.h"
#include "sdk/album_art.h"
#include "tests/support/encoded_picture.h"
#include "tests/support/gdi_tracker.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_tray.h"
#include "tests/support/tray_geometry.h"
#include "tray/cover_decoder.h"
#include "tray/cover_image.h"

#include <psapi.h>
#include <wincodec.h>
#include <cstdio>
#include <memory>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

typedef BOOL(WINAPI* MemoryInfoFunction)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);

// The process's committed memory, in KB (Wine reports no private bytes).
long long PrivateKb() {
    static const auto query = reinterpret_cast<MemoryInfoFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!query || !query(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return -1;
    return static_cast<long long>(counters.PagefileUsage / 1024); // not a resource id: units of measure
}

class PictureBytes : public album_art_data {
public:
    explicit PictureBytes(std::shared_ptr<const std::vector<char>> bytes) : m_bytes(std::move(bytes)) {}
    const void* data() const override { return m_bytes->data(); }
    t_size size() const override { return m_bytes->size(); }

private:
    std::shared_ptr<const std::vector<char>> m_bytes;
};

// A loader whose playing track has a new picture object (of the same bytes) at every question.
class EveryTimeANewCover : public now_playing_album_art_notify_manager {
public:
    explicit EveryTimeANewCover(std::shared_ptr<const std::vector<char>> bytes) : m_bytes(std::move(bytes)) {}
    void add(now_playing_album_art_notify*) override {}
    void remove(now_playing_album_art_notify*) override {}
    service_ptr_t<album_art_data>* current(service_ptr_t<album_art_data>* out) override {
        return construct_result(out, service_ptr_t<album_art_data>(new service_impl_t<PictureBytes>(m_bytes)));
    }

private:
    std::shared_ptr<const std::vector<char>> m_bytes;
};

void LargeCover() {
    const std::vector<char> jpeg = BusyPicture(GUID_ContainerFormatJpeg, 3000, 3000);
    Pixels out;
    double best = 1e9, total = 0;
    const int runs = 10;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        CoverImage::Decode(jpeg.data(), jpeg.size(), 64, out);
        const double ms = (Now() - start) * 1000; // not a resource id: units of measure
        total += ms;
        if (ms < best) best = ms;
    }
    std::printf("3000 x 3000 JPEG (%zu KB) read and scaled to %d x %d: best %.1f ms, mean %.1f ms of %d runs "
                "(goal at most 30 ms)\n",
                static_cast<size_t>(jpeg.size() >> 10), out.width, out.height, best, total / runs, runs);
    // What the system decoder alone would take, before a row is copied: opening the picture and
    // its first frame (a JPEG this large is read from its block means instead).
    best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(factory.put()));
        factory->CreateStream(stream.put());
        stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(jpeg.data())),
                                     static_cast<DWORD>(jpeg.size()));
        factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put());
        decoder->GetFrame(0, frame.put());
        const double ms = (Now() - start) * 1000; // not a resource id: units of measure
        if (ms < best) best = ms;
    }
    std::printf("  the system decoder would take, only to open it and its first frame: best %.1f ms\n", best);

    // The player's thread copies the bytes and hands them to the decoding thread.
    CoverDecoder decoder;
    double handOver = 1e9, ready = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        auto bytes = std::make_shared<const std::vector<char>>(jpeg);
        decoder.Request(bytes, 64, nullptr, 0);
        const double handed = Now();
        CoverImage::Outcome outcome;
        while (!decoder.TakeResult(outcome, out)) Sleep(1);
        const double done = Now();
        if ((handed - start) * 1000 < handOver) handOver = (handed - start) * 1000; // not a resource id: units
        if ((done - start) * 1000 < ready) ready = (done - start) * 1000;           // not a resource id: units
    }
    std::printf("  on the player's thread, handing it to the decoding thread: best %.2f ms (goal at most 30 ms); "
                "shown after best %.1f ms\n",
                handOver, ready);
}

// Runs this thread's messages until the card has taken the playing track's cover.
void UntilCoverTaken(StripCard& card) {
    while (card.CoverPending()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (card.CoverPending()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

} // namespace

int main() {
    LargeCover();

    InProcessHost standIn;
    ShellTray shell;
    TrayGeometry geometry;
    geometry.SetPointer(640, 400);
    auto cover = std::make_shared<const std::vector<char>>(BusyPicture(GUID_ContainerFormatJpeg, 300, 300));
    standIn.host.UnregisterServices(now_playing_album_art_notify_manager::class_guid);
    standIn.host.RegisterService(now_playing_album_art_notify_manager::class_guid,
                                 service_ptr_t<service_base>(new service_impl_t<EveryTimeANewCover>(cover)));
    Trelvane::Instance().onInit();
    standIn.playback().SetPlaylist({FileTrack(245)});
    standIn.playback().Play();
    StripCard& card = StripCard::Instance();
    StripHover hover;
    hover.message = WM_MOUSEMOVE;
    hover.area = RECT{0, 0, 1280, 800};
    hover.onTray = true;
    hover.target = 1; // the slider
    hover.step = 12;
    hover.dragging = true; // shown at once
    card.OnPointer(hover);
    std::printf("card shown: %s\n", card.Shown() ? "yes" : "NO");

    GdiTracker gdi;
    for (int i = 0; i < 100; ++i) {
        card.OnNewTrack();
        UntilCoverTaken(card);
    }
    const size_t liveBefore = gdi.Live();
    const long long kbBefore = PrivateKb();
    const int changes = 10000;
    double start = Now();
    for (int i = 0; i < changes; ++i) {
        card.OnNewTrack();
        UntilCoverTaken(card);
    }
    double seconds = Now() - start;
    std::printf("%d track changes with a 300 x 300 JPEG cover, card shown: GDI objects live %zu -> %zu, "
                "committed memory %lld KB -> %lld KB (goal no growth); %.2f ms per change\n",
                changes, liveBefore, gdi.Live(), kbBefore, PrivateKb(),
                seconds / changes * 1000); // not a resource id: units of measure

    gdi.ResetCounts();
    shell.Clear();
    const int ticks = 100000;
    start = Now();
    for (int i = 0; i < ticks; ++i) card.OnCardTimer(1);
    seconds = Now() - start;
    std::printf("unchanged card tick, card shown: %zu GDI objects created, %zu shell calls in %d ticks (goal 0, 0); "
                "%.2f microseconds per tick\n",
                gdi.Created(), shell.Calls().size(), ticks, seconds / ticks * 1e6);
    const bool ok = gdi.Created() == 0 && shell.Calls().empty();
    Trelvane::Instance().onQuit();
    return ok ? 0 : 1;
}
