// End to end: the card in both of Wine's trays, with the real component in the stand-in player
// and the real pointer (SendInput). Rest on the slider: the card appears beside the strip and
// names the time under the pointer; move along the slider: the time follows; leave: it goes.
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "tests/support/child_process.h"
#include "tests/support/encoded_picture.h"
#include "tests/support/strip_player.h"
#include "tests/support/tray_icon_windows.h"
#include "tests/support/windows_version.h"

#include "base/window_dc.h"

#include <gtest/gtest.h>
#include <wincodec.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

// 4:05; at 16 pixels the slider step under strip column c is c - 2, and step s seeks to
// 245 x s / 24 seconds: left icon column 6 is step 4 (0:40), right icon column 9 is strip
// column 25, step 23 (3:54).
constexpr double kTrackSeconds = 245;

enum CardResult {
    kCardWorks = 0,
    kNoComponent = 30,
    kNoIcons = 31,
    kNoCard = 32,
    kWrongTime = 33,
    kCovers = 34,
    kStays = 35,
    kNoCover = 36
};

// A one-coloured cover.jpg beside the tracks; the card shows it in the square at 10, 10 of 64 x
// 64 pixels (96 DPI).
constexpr COLORREF kCoverColour = RGB(0x2E, 0x8B, 0x57);

std::string TrackFolderWithCover() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"trelvane-card-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteBytes(folder + L"\\cover.jpg", SolidPicture(GUID_ContainerFormatJpeg, 200, 200, 0x2E8B57));
    return std::string(folder.begin(), folder.end());
}

bool ShowsCoverColour(HWND card) {
    RECT rect = {};
    GetWindowRect(card, &rect);
    WindowDC screen(nullptr);
    const COLORREF seen = GetPixel(screen.get(), rect.left + 42, rect.top + 42);
    return std::abs(GetRValue(seen) - GetRValue(kCoverColour)) <= 6 &&
           std::abs(GetGValue(seen) - GetGValue(kCoverColour)) <= 6 &&
           std::abs(GetBValue(seen) - GetBValue(kCoverColour)) <= 6;
}

struct Cells {
    RECT icon[2] = {};
    int shown = 16;
    POINT Pixel(int i, int x, int y) const {
        const int left = icon[i].left + (icon[i].right - icon[i].left - shown) / 2;
        const int top = icon[i].top + (icon[i].bottom - icon[i].top - shown) / 2;
        return POINT{left + x, top + y};
    }
};

bool FindCells(bool inTaskbar, Cells& cells) {
    if (!inTaskbar) {
        std::vector<RECT> windows;
        fb2k_host::PumpMessagesUntil([&] { return (windows = TrayIconWindowRects()).size() >= 2; }, 5000);
        if (windows.size() < 2) return false;
        cells.icon[0] = windows[windows.size() - 2];
        cells.icon[1] = windows[windows.size() - 1];
        return true;
    }
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar = {};
    if (!taskbar || !GetWindowRect(taskbar, &bar)) return false;
    fb2k_host::PumpMessagesFor(1000); // not a resource id: milliseconds
    const int cell = 20, top = bar.top + (bar.bottom - bar.top - cell) / 2;
    for (int i = 0; i < 2; ++i)
        cells.icon[i] = RECT{bar.right - (2 - i) * cell, top, bar.right - (1 - i) * cell, top + cell};
    return true;
}

HWND Card() {
    HWND card = FindWindowW(L"TrelvaneCard", nullptr);
    return card && IsWindowVisible(card) ? card : nullptr;
}

std::wstring CardName() {
    wchar_t name[512] = {};
    if (HWND card = Card()) GetWindowTextW(card, name, 512);
    return name;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The pointer goes where SetCursorPos puts it, which Wine also tells the X server; the tray
// then reports the move as it does for a person's.
void MoveTo(POINT at) {
    SetCursorPos(at.x, at.y);
    fb2k_host::PumpMessagesFor(60);
}

void Button(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    fb2k_host::PumpMessagesFor(40);
}

// Arrives at `at` from the pixel before it and waits for `done`. A busy machine may lose the
// tray's report of a move, as a person's pointer would soon send another: up to three tries.
bool ArriveAndWait(POINT before, POINT at, const std::function<bool()>& done, DWORD wait) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        MoveTo(before);
        MoveTo(at);
        if (fb2k_host::PumpMessagesUntil(done, wait)) return true;
    }
    return false;
}

int Report(int result, const char* what) {
    std::fprintf(stderr, "%s; card \"%ls\"\n", what, CardName().c_str());
    return result;
}

int RunCard(bool inTaskbar) {
    StripPlayer player(kTrackSeconds);
    if (!player.Started()) return kNoComponent;
    Cells cells;
    if (!FindCells(inTaskbar, cells)) return kNoIcons;
    const std::string folder = TrackFolderWithCover();
    player.Host().Playback().SetPlaylist({{folder + "\\a.flac", kTrackSeconds, {{"title", "A"}}},
                                          {folder + "\\b.flac", kTrackSeconds, {{"title", "B"}}}});
    player.Host().Playback().Play();
    player.Host().Playback().Seek(5);
    // The pointer passes over the strip from left to right, so that the tray's moves show
    // which icon is where, and rests on the slider of the left icon.
    for (int i = 0; i < 2; ++i)
        for (int x : {2, 8, 13}) MoveTo(cells.Pixel(i, x, 3));
    if (!ArriveAndWait(
            cells.Pixel(0, 5, 3), cells.Pixel(0, 6, 3), [] { return Card() != nullptr; }, 3000))
        return Report(kNoCard, "no card after a rest");
    if (!ArriveAndWait(
            cells.Pixel(0, 5, 3), cells.Pixel(0, 6, 3), [] { return EndsWith(CardName(), L" \x2014 0:40"); }, 2000))
        return Report(kWrongTime, "left icon column 6: want 0:40");
    if (!fb2k_host::PumpMessagesUntil([] { return ShowsCoverColour(Card()); }, 2000))
        return Report(kNoCover, "the card does not show cover.jpg's colour");
    RECT card = {}, overlap = {}, strip = {};
    GetWindowRect(Card(), &card);
    UnionRect(&strip, &cells.icon[0], &cells.icon[1]);
    if (IntersectRect(&overlap, &card, &strip)) return Report(kCovers, "the card covers the strip");
    if (!ArriveAndWait(
            cells.Pixel(1, 8, 3), cells.Pixel(1, 9, 3), [] { return EndsWith(CardName(), L" \x2014 3:54"); }, 2000))
        return Report(kWrongTime, "right icon column 9: want 3:54");
    // Far from the strip: gone within about 0.3 s and a tick.
    MoveTo(POINT{600, 300});
    if (!fb2k_host::PumpMessagesUntil([] { return Card() == nullptr; }, 3000)) return Report(kStays, "the card stays");
    // Back on the strip it comes again; a press on next sends it away at once.
    if (!ArriveAndWait(
            cells.Pixel(1, 12, 12), cells.Pixel(1, 13, 12), [] { return Card() != nullptr; }, 3000))
        return Report(kNoCard, "no card on next");
    // Gone while the button is still down: the press alone sends it away, however late the tray
    // delivers it on a busy machine.
    Button(MOUSEEVENTF_LEFTDOWN);
    const bool goneAtPress = fb2k_host::PumpMessagesUntil([] { return Card() == nullptr; }, 2000);
    Button(MOUSEEVENTF_LEFTUP);
    if (!goneAtPress) return Report(kStays, "the card stays on a press on next");
    // A stream: the slider sets the volume, and the card names the level under the pointer. Step
    // 4 is level 42 of 255, 1 - 10^((255 - 42) / 140) = -32.2 dB.
    player.Host().Playback().SetPlaylist({{"http://radio.example.org/stream", 0, {{"title", "Radio"}}}});
    player.Host().Playback().Play();
    MoveTo(POINT{600, 300});
    fb2k_host::PumpMessagesUntil([] { return Card() == nullptr; }, 1500);
    if (!ArriveAndWait(
            cells.Pixel(0, 5, 3), cells.Pixel(0, 6, 3), [] { return EndsWith(CardName(), L"live \x2014 -32.2 dB"); },
            3000))
        return Report(kWrongTime, "a stream, left icon column 6: want live and -32.2 dB");
    return kCardWorks;
}

CHILD_PROCESS_BODY(card_in_x11_tray) { return RunCard(false); }
CHILD_PROCESS_BODY(card_in_taskbar) { return RunCard(true); }

const char kFailures[] =
    "30: no component, 31: no icons, 32: no card after a rest, 33: the wrong time under the "
    "pointer, 34: the card covers the strip, 35: the card stays after the pointer left, 36: no cover on the card";

TEST(Card, RestMoveAndLeaveInWinesX11Tray) {
    ScopedAppVersion version(L"win10");
    ChildResult child = RunChild("card_in_x11_tray", 60000);
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kCardWorks)) << kFailures;
}

TEST(Card, RestMoveAndLeaveInTheTaskbarOfAVirtualDesktop) {
    ScopedAppVersion version(L"win10");
    const std::wstring desktop = L"trelvane-card-" + std::to_wstring(GetCurrentProcessId());
    const wchar_t kDesktops[] = L"Software\\Wine\\Explorer\\Desktops";
    const wchar_t size[] = L"1024x640";
    const DWORD shell = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktops, desktop.c_str(), REG_SZ, size, sizeof(size));
    RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kDesktops) + L"\\" + desktop).c_str(), L"EnableShell", REG_DWORD,
                    &shell, sizeof(shell));
    ChildResult child = RunChild("card_in_taskbar", 60000, L"", desktop.c_str());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktops, desktop.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kDesktops) + L"\\" + desktop).c_str());
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kCardWorks)) << kFailures;
}

} // namespace
