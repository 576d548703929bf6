// What a refresh of the tray strip costs: an unchanged one (the 200 ms timer's usual case)
// should create no GDI object and make no shell call; a changed one composes two icons. Also
// whether 100,000 changed refreshes leave any GDI object or icon behind.
//
// The shell is the stand-in tray of the test support (its answers are instant), so the times
// are the strip's own. A changed refresh is also set against the floor that any redraw must
// pay, measured in the same run. GDI objects are counted at the executable's import boundary, because
// GetGuiResources answers 0 under Wine.
#include "tests/support/gdi_tracker.h"
#include "tests/support/shell_tray.h"
#include "tests/support/small_icon_size.h"
#include "tests/support/test_strip.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency, m_start;
};

void Prepare(TestStrip& strip) {
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    strip.sliderFraction = 0.5;
    strip.SetPlayMode(Playing);
    NotifyIcons::TipRewrittenAt(_time64(nullptr)); // no tooltip rewrite during the run
}

// Each call changes what is drawn: the cursor walks the slider.
void ChangedRefresh(TestStrip& strip, int i) {
    strip.sliderFraction = (i % 25 + 0.5) / 24.0;
    strip.Refresh();
}

UniqueBitmap Section32() {
    BITMAPINFO info = TopDown32(16, 16);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) std::memset(bits, 0, 16 * 16 * 4);
    return bitmap;
}

UniqueBitmap Resource(int id) { return UniqueBitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))); }

// What any redraw must pay at least: two 16 x 16 icons made with CreateIconIndirect from
// bitmaps that are ready, the two icons they replace destroyed, and both handed to the shell
// with NIM_MODIFY, on the strip's own records. Measured with both kinds of ready bitmap (the
// empty planes as loaded from the resources, and 32-bit sections); the cheaper is the floor.
class Floor {
public:
    Floor(const TestStrip& strip, UniqueBitmap color, UniqueBitmap mask)
        : m_color(std::move(color)), m_mask(std::move(mask)) {
        for (int i = 0; i < 2; ++i) {
            m_records[i] = strip.IconRecord(i);
            m_records[i].hIcon = nullptr;
        }
    }
    ~Floor() {
        for (NOTIFYICONDATAW& record : m_records) UniqueIcon(record.hIcon).reset();
    }
    void Redraw() {
        for (NOTIFYICONDATAW& record : m_records) {
            ICONINFO info = {};
            info.fIcon = TRUE;
            info.hbmColor = m_color.get();
            info.hbmMask = m_mask.get();
            UniqueIcon previous(record.hIcon);
            record.hIcon = CreateIconIndirect(&info);
        }
        for (NOTIFYICONDATAW& record : m_records) Shell_NotifyIconW(NIM_MODIFY, &record);
    }

private:
    UniqueBitmap m_color, m_mask;
    NOTIFYICONDATAW m_records[2];
};

// Changed refreshes at one small-icon size: no GDI object or icon may be left behind.
bool LeavesNothingBehind(int iconSize, int calls) {
    SmallIconSize size(iconSize);
    TestStrip strip;
    Prepare(strip);
    GdiTracker gdi;
    ChangedRefresh(strip, 1);
    size_t liveBefore = gdi.Live();
    for (int i = 0; i < calls; ++i) ChangedRefresh(strip, i);
    size_t liveAfter = gdi.Live();
    std::printf("changed Refresh() x %d at %d pixels: %zu objects created, %zu released\n", calls,
                strip.ImageSet().IconSize(), gdi.Created(), gdi.Released());
    std::printf("live GDI objects and icons made by the run: %zu before, %zu after (goal: no growth; the 2 are "
                "the current icons)\n",
                liveBefore, liveAfter);
    std::printf("of those still known to Windows (GetObjectType / GetIconInfo): %zu\n", gdi.LiveByObjectType());
    return liveAfter <= liveBefore;
}

} // namespace

int main() {
    ShellTray shell;
    const int unchangedCalls = 1000000, timedChangedCalls = 20000, leakCalls = 100000;

    {
        TestStrip strip;
        Prepare(strip);
        shell.Clear();
        GdiTracker gdi;
        Stopwatch watch;
        for (int i = 0; i < unchangedCalls; ++i) strip.Refresh();
        double seconds = watch.Seconds();
        std::printf("unchanged Refresh(): %zu GDI objects created, %zu shell calls in %d calls (goal 0, 0)\n",
                    gdi.Created(), shell.Calls().size(), unchangedCalls);
        std::printf("unchanged Refresh(): %.3f microseconds per call (with GDI counting hooks in place)\n",
                    seconds / unchangedCalls * 1e6);
    }
    {
        TestStrip strip;
        Prepare(strip);
        Stopwatch unchanged;
        for (int i = 0; i < unchangedCalls; ++i) strip.Refresh();
        double unchangedSeconds = unchanged.Seconds() / unchangedCalls;
        shell.Clear();
        Stopwatch changed;
        for (int i = 0; i < timedChangedCalls; ++i) ChangedRefresh(strip, i);
        double changedSeconds = changed.Seconds() / timedChangedCalls;
        std::printf("unchanged Refresh(): %.3f microseconds per call\n", unchangedSeconds * 1e6);
        std::printf("changed Refresh():   %.1f microseconds per call, %.1f shell calls per call\n",
                    changedSeconds * 1e6, double(shell.Calls().size()) / timedChangedCalls);
        std::printf("ratio changed / unchanged: %.0f\n", changedSeconds / unchangedSeconds);

        // The floor and the changed refresh alternate in rounds, so that both see the same
        // machine; each figure is the sum over the rounds.
        Floor fromResources(strip, Resource(StripImage::kEmptyColorBitmap), Resource(StripImage::kEmptyMaskBitmap));
        Floor fromSections(strip, Section32(), Section32());
        const int rounds = 10, callsPerRound = timedChangedCalls / rounds;
        double resourceTotal = 0, sectionTotal = 0, refreshTotal = 0;
        shell.Clear();
        for (int round = 0; round < rounds; ++round) {
            Stopwatch resourceWatch;
            for (int i = 0; i < callsPerRound; ++i) fromResources.Redraw();
            resourceTotal += resourceWatch.Seconds();
            Stopwatch sectionWatch;
            for (int i = 0; i < callsPerRound; ++i) fromSections.Redraw();
            sectionTotal += sectionWatch.Seconds();
            Stopwatch refreshWatch;
            for (int i = 0; i < callsPerRound; ++i) ChangedRefresh(strip, i);
            refreshTotal += refreshWatch.Seconds();
        }
        const double calls = rounds * callsPerRound;
        double floorSeconds = std::min(resourceTotal, sectionTotal) / calls;
        double refreshSeconds = refreshTotal / calls;
        std::printf("floor (2 x CreateIconIndirect + DestroyIcon, 2 x NIM_MODIFY): %.1f microseconds per redraw "
                    "(from loaded bitmaps %.1f, from 32-bit sections %.1f)\n",
                    floorSeconds * 1e6, resourceTotal / calls * 1e6, sectionTotal / calls * 1e6);
        std::printf("changed Refresh() in the same rounds: %.1f microseconds per call\n", refreshSeconds * 1e6);
        std::printf("ratio changed / floor: %.2f (goal: at most 1.3)\n", refreshSeconds / floorSeconds);
    }
    bool clean = true;
    for (int iconSize : {16, 32}) clean = LeavesNothingBehind(iconSize, leakCalls) && clean;
    std::printf("GetGuiResources(GDI) says %lu (0 under Wine)\n", GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    return clean ? 0 : 1;
}
