// End to end: the stand-in player with the real component, and real pointer clicks at the
// edges of every zone of the two icons, in both of Wine's trays: the X11 tray, which gives
// each icon a window of its own, and the taskbar of a virtual desktop, which draws the icons
// itself. With the Windows XP, 7 and 10 profiles, at 96 and 144 DPI. The clicks aim at the
// icons as they are shown, left and right, after the pointer has passed over the strip as a
// person's does: whichever icon the tray shows on the left, the strip reads "|< [] > >|". The
// road of a click: the shell, the callback message, the pointer read back, the tray's
// geometry, hit-testing, the button's hook, the player's own command.
#include "host/host_core.h"
#include "host/main_menu.h"
#include "host/playback_engine.h"
#include "tests/support/child_process.h"
#include "tests/support/strip_player.h"
#include "tests/support/tray_icon_windows.h"
#include "tests/support/windows_version.h"
#include "tests/support/registry_write.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTrackSeconds = 240; // 10 seconds a slider step

// ---- What the clicks should do, typed by hand from the zone tables ----
//
// Pixels are those of the icon as drawn, at the small-icon size: 16 at 96 DPI, 24 at 144.
// `icon` is the icon shown on the left (0) or on the right (1). The profiles draw the buttons
// at offset 2. At 16: the left icon previous in columns 0-7, nothing
// in 8, stop 9-15; the right icon play/pause 0-8, nothing in 9, next 10-15; rows 7-15; the cursor's
// left edge at strip column step + 2. At 24: previous 0-11, nothing in 12, stop 13-23;
// play/pause 0-12, nothing in 13, next 14-23; rows 11-23; the cursor's left edge at
// 3 + step x 1.5 (truncated). Rows above the buttons are the slider.
struct Click {
    int icon, x, y;
    const char* command; // the player's command, "" for none
};
struct SliderClick {
    int icon, x, y;
    int step;
};
// A right-button drag across the strip (Windows 7 and later): pressed on the left icon, moved
// through two more of its columns and two of the right icon, released at `step`.
struct Drag {
    int y;
    int pressX, step0;
    int icon0X[2], icon1X[2];
    int step;
};
struct ClickPlan {
    int drawn;
    std::vector<Click> edges;
    std::vector<SliderClick> slider; // left clicks seek (before Windows 7)
    Drag drag;
};
const ClickPlan kPlans[] = {
    {16,
     {{0, 0, 7, "Previous"},
      {0, 7, 15, "Previous"},
      {0, 8, 11, ""},
      {0, 9, 7, "Stop"},
      {0, 15, 15, "Stop"},
      {1, 0, 15, "Pause"},
      {1, 8, 7, "Pause"},
      {1, 9, 11, ""},
      {1, 10, 7, "Next"},
      {1, 15, 15, "Next"},
      {0, 3, 16, ""}}, // below the icon, in its cell
     {{0, 0, 0, 0}, {0, 6, 6, 4}, {0, 15, 3, 13}, {1, 0, 0, 14}, {1, 9, 6, 23}},
     {3, 5, 3, {9, 13}, {1, 2}, 16}},
    {24,
     {{0, 0, 11, "Previous"},
      {0, 0, 12, "Previous"},
      {0, 10, 22, "Previous"},
      {0, 11, 23, "Previous"},
      {0, 12, 16, ""},
      {0, 13, 12, "Stop"},
      {0, 22, 22, "Stop"},
      {0, 23, 23, "Stop"},
      {1, 0, 22, "Pause"},
      {1, 12, 12, "Pause"},
      {1, 13, 16, ""},
      {1, 14, 11, "Next"},
      {1, 15, 12, "Next"},
      {1, 23, 23, "Next"},
      {0, 5, 24, ""}},
     {{0, 0, 0, 0},
      {0, 3, 6, 0},
      {0, 4, 6, 1},
      {0, 10, 10, 5},
      {0, 22, 3, 13},
      {1, 0, 0, 14},
      {1, 12, 4, 22},
      {1, 13, 1, 23},
      {1, 15, 4, 24},
      {1, 19, 9, 24}},
     {3, 7, 3, {13, 19}, {1, 3}, 16}},
};

// The plan for the size the strip is drawn at in this process, null if none was typed.
const ClickPlan* PlanForThisDpi() {
    for (const ClickPlan& plan : kPlans)
        if (plan.drawn == GetSystemMetrics(SM_CXSMICON)) return &plan;
    return nullptr;
}

// ---- Registry set-up of one run, put back afterwards ----

void SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(value));
}

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The Windows version Wine reports to this executable and the screen's DPI, for one run.
class RunConditions {
public:
    RunConditions(const wchar_t* windowsVersion, DWORD dpi) : m_version(windowsVersion) {
        DWORD size = sizeof(m_oldDpi);
        m_hadDpi = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &m_oldDpi,
                                &size) == ERROR_SUCCESS;
        SetDword(kDesktopKey, L"LogPixels", dpi);
    }
    ~RunConditions() {
        if (m_hadDpi) SetDword(kDesktopKey, L"LogPixels", m_oldDpi);
        else RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }
    RunConditions(const RunConditions&) = delete;
    RunConditions& operator=(const RunConditions&) = delete;

private:
    ScopedAppVersion m_version;
    DWORD m_oldDpi = 0;
    bool m_hadDpi = false;
};

// A virtual desktop of its own, with the taskbar shown: its explorer starts with the DPI of
// the moment.
std::wstring PrepareDesktop(const wchar_t* name) {
    SetString(L"Software\\Wine\\Explorer\\Desktops", name, L"1024x640");
    SetDword(std::wstring(L"Software\\Wine\\Explorer\\Desktops\\") + name, L"EnableShell", 1);
    return name;
}

// ---- In the child: finding the icons and clicking ----

// Where the tray shows the icon: its cell, with the icon shown at `shown` pixels centred in it,
// and the size it was drawn at.
struct ShownIcon {
    RECT cell = {};
    int shown = 16;
    int drawn = 16;

    // The screen pixel at the middle of drawn pixel (x, y); rows beyond the icon continue
    // past its edge.
    POINT Pixel(int x, int y) const { return POINT{Left() + Middle(x), Top() + Middle(y)}; }
    // Whether the shell shows drawn pixel (x, y) at all: an icon shown smaller than it was
    // drawn leaves some pixels out. The screen pixel s shows drawn pixel s x drawn / shown.
    bool Shows(int x, int y) const { return Middle(x) * drawn / shown == x && Middle(y) * drawn / shown == y; }

private:
    int Left() const { return cell.left + (cell.right - cell.left - shown) / 2; }
    int Top() const { return cell.top + (cell.bottom - cell.top - shown) / 2; }
    int Middle(int pixel) const { return (2 * pixel + 1) * shown / (2 * drawn); }
};

// The X11 tray's windows hold the icon with a border of 2; the strip's are the last two.
bool FindCellsInX11Tray(ShownIcon cells[2]) {
    std::vector<RECT> windows;
    fb2k_host::PumpMessagesUntil([&] { return (windows = TrayIconWindowRects()).size() >= 2; }, 5000);
    if (windows.size() < 2) return false;
    for (int i = 0; i < 2; ++i) {
        cells[i].cell = windows[windows.size() - 2 + i];
        cells[i].shown = cells[i].cell.right - cells[i].cell.left - 4;
        cells[i].drawn = GetSystemMetrics(SM_CXSMICON);
    }
    return true;
}

// The taskbar of a virtual desktop draws the icons from its right end in cells of the small
// icon plus a border of 2, centred vertically; the strip's are the only ones.
bool FindCellsInTaskbar(ShownIcon cells[2]) {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar = {};
    if (!taskbar || !IsWindowVisible(taskbar) || !GetWindowRect(taskbar, &bar)) return false;
    fb2k_host::PumpMessagesFor(1000); // not a resource id: the taskbar takes the icons in
    const int small = GetSystemMetrics(SM_CXSMICON);
    const int cell = small + 4;
    const int top = bar.top + (bar.bottom - bar.top - cell) / 2;
    for (int i = 0; i < 2; ++i) {
        cells[i].cell = RECT{bar.right - (2 - i) * cell, top, bar.right - (1 - i) * cell, top + cell};
        cells[i].shown = small;
        cells[i].drawn = small;
    }
    return true;
}

void Button(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

void MoveTo(POINT at) {
    SetCursorPos(at.x, at.y);
    fb2k_host::PumpMessagesFor(60);
}

// Before a press: the pointer must be where it was put, and stay there. Wine moves the X
// pointer for a SetCursorPos and later reads the X server's motion back; a motion of an
// earlier move read back late puts the pointer where it was for a moment, and a press sent
// then lands there (seen: the first press of a double click on next arrived on the other icon,
// where the drag before it had ended). A hand's pointer never jumps back: the press waits
// until the pointer has been at `at` for a tenth of a second.
void SettlePointerAt(POINT at) {
    constexpr int kSteadyReads = 5;     // not a resource id: reads 20 ms apart
    constexpr DWORD kSettleLimit = 3000; // not a resource id: milliseconds
    const DWORD start = GetTickCount();
    for (int steady = 0; steady < kSteadyReads && GetTickCount() - start < kSettleLimit;) {
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == at.x && now.y == at.y) {
            ++steady;
        } else {
            steady = 0;
            SetCursorPos(at.x, at.y);
        }
        fb2k_host::PumpMessagesFor(20);
    }
}

// A press near the last one and soon after it makes a double click: the clicks that are meant
// one at a time wait out the double-click time, counted from the last press itself (on a busy
// machine the pointer's rest before a press can take far longer).
POINT g_lastPress = {-1000, -1000}; // not a resource id: a point off every screen
// How long a click's command or seek may take to reach the stand-in player on a busy machine
// (two cores shared by the test lanes and whatever else runs).
constexpr DWORD kLongestCommandWait = 5000; // not a resource id: milliseconds
// One run of the clicks (one profile and DPI in one tray): about a minute, more on a fresh Wine
// prefix on a busy machine.
constexpr unsigned long kClickRunLimit = 150000; // not a resource id: milliseconds
DWORD g_lastPressTick = 0;

void WaitOutDoubleClick(POINT at) {
    const bool nearLast = std::abs(at.x - g_lastPress.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                          std::abs(at.y - g_lastPress.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    const DWORD since = GetTickCount() - g_lastPressTick;
    if (nearLast && since <= GetDoubleClickTime()) fb2k_host::PumpMessagesFor(GetDoubleClickTime() - since + 50);
}

// Quicker than a person: the pointer rests only a moment before the press.
void ClickAt(POINT at) {
    MoveTo(at);
    WaitOutDoubleClick(at);
    SettlePointerAt(at);
    Button(MOUSEEVENTF_LEFTDOWN);
    g_lastPress = at;
    g_lastPressTick = GetTickCount();
    fb2k_host::PumpMessagesFor(60);
    Button(MOUSEEVENTF_LEFTUP);
}

size_t CommandCount(fb2k_host::Host& host) { return host.Commands().Executed().size(); }

// The command a click runs, "" when it runs none within `wait` milliseconds.
std::string CommandOfClick(fb2k_host::Host& host, POINT at, DWORD wait) {
    const size_t before = CommandCount(host);
    ClickAt(at);
    bool ran = fb2k_host::PumpMessagesUntil([&] { return CommandCount(host) > before; }, wait);
    return ran ? host.Commands().Executed()[before] : "";
}

// Plays the first track, not paused, at position 5 s, with the strip showing it.
void Replay(fb2k_host::Host& host) {
    if (!host.Playback().IsPlaying()) host.Playback().Play();
    if (host.Playback().IsPaused()) host.Playback().Pause(false);
    host.Playback().Seek(5);
    fb2k_host::PumpMessagesFor(300); // the strip follows within one timer tick
}

enum ClickResult {
    kClicksWork = 0,
    kNoComponent = 10,
    kNoTrayIcons = 11,
    kWrongCommand = 12,
    kWrongSeek = 13,
    kNoPlan = 14,
    kTooFewShown = 15
};

// The pointer passes over the strip from its left end to its right end, as a person's does
// before a click: the tray's moves show the strip where its icons are.
void PassOver(const ShownIcon cells[2]) {
    for (int i = 0; i < 2; ++i)
        for (int x : {2, cells[i].drawn / 2, cells[i].drawn - 3}) MoveTo(cells[i].Pixel(x, cells[i].drawn / 4));
    fb2k_host::PumpMessagesFor(100);
}

int CheckButtonEdges(fb2k_host::Host& host, const ShownIcon cells[2], const ClickPlan& plan) {
    size_t clicked = 0;
    for (const Click& click : plan.edges) {
        if (!cells[click.icon].Shows(click.x, click.y)) continue; // the shell leaves that pixel out
        ++clicked;
        Replay(host);
        // A click that runs a command may take long on a busy machine; one that runs none is
        // given a second to show that it does not.
        const DWORD wait = *click.command ? kLongestCommandWait : 1000; // not a resource id: milliseconds
        std::string got = CommandOfClick(host, cells[click.icon].Pixel(click.x, click.y), wait);
        if (got != click.command) {
            std::fprintf(stderr, "%s icon, pixel %d,%d of %d: ran '%s', want '%s'\n", click.icon ? "right" : "left",
                         click.x, click.y, plan.drawn, got.c_str(), click.command);
            return kWrongCommand;
        }
    }
    // An icon shown smaller than drawn leaves pixels out, but never most of them.
    return 2 * clicked >= plan.edges.size() ? kClicksWork : kTooFewShown;
}

// Two quick clicks on next: the second press arrives as a double click and counts too.
int CheckDoubleClickOnNext(fb2k_host::Host& host, const ShownIcon cells[2]) {
    Replay(host);
    const ShownIcon& right = cells[1];
    const POINT at = right.Pixel(right.drawn - 2, right.drawn - 2);
    WaitOutDoubleClick(at);
    MoveTo(at);
    SettlePointerAt(at);
    const size_t before = CommandCount(host);
    for (int press = 0; press < 2; ++press) {
        Button(MOUSEEVENTF_LEFTDOWN);
        g_lastPress = at;
        g_lastPressTick = GetTickCount();
        fb2k_host::PumpMessagesFor(40);
        Button(MOUSEEVENTF_LEFTUP);
        fb2k_host::PumpMessagesFor(40);
    }
    fb2k_host::PumpMessagesUntil([&] { return CommandCount(host) >= before + 2; }, kLongestCommandWait);
    const std::vector<std::string>& ran = host.Commands().Executed();
    const bool twoNexts = ran.size() == before + 2 && ran[before] == "Next" && ran[before + 1] == "Next";
    if (!twoNexts) {
        std::fprintf(stderr, "double click on next ran %zu commands, want Next twice\n", ran.size() - before);
        return kWrongCommand;
    }
    return kClicksWork;
}

// Runs this thread's messages until the shell has sent it one that waits (a tray message),
// or `timeoutMs` passes; true when one waits.
bool PumpUntilATrayMessageWaits(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) return true;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return false;
}

// Two clicks on next, 150 and 700 milliseconds apart, while the player opens the track the
// first one started: the player announces that track just as the shell hands the strip the
// second click's release. The shell's tray messages are sent messages, delivered while the
// strip waits in its own shell calls, so the release reaches it while it handles the
// announcement. The second click must still count.
int CheckQuickClicksWhileATrackOpens(fb2k_host::Host& host, const ShownIcon cells[2]) {
    const ShownIcon& right = cells[1];
    const POINT at = right.Pixel(right.drawn - 2, right.drawn - 2);
    fb2k_host::PlaybackEngine& playback = host.Playback();
    int result = kClicksWork;
    for (DWORD gap : {150u, 700u}) { // not resource ids: milliseconds
        Replay(host);
        WaitOutDoubleClick(at);
        MoveTo(at);
        SettlePointerAt(at);
        const int start = playback.CurrentIndex();
        const int want = (start + 2) % 3; // three tracks; next after the last is the first
        const int refusedBefore = playback.CommandsRefusedInCallbacks();
        playback.SetTrackOpening(60000, 0); // announced when the second click comes
        for (int click = 0; click < 2; ++click) {
            if (click) fb2k_host::PumpMessagesFor(gap);
            Button(MOUSEEVENTF_LEFTDOWN);
            fb2k_host::PumpMessagesFor(60);
            Button(MOUSEEVENTF_LEFTUP);
        }
        const bool releaseWaits = PumpUntilATrayMessageWaits(2000);
        g_lastPress = at;
        g_lastPressTick = GetTickCount();
        playback.SetTrackOpening(StripPlayer::kAnnounceAfter, 0);
        playback.AnnounceNow();
        fb2k_host::PumpMessagesUntil([&] { return !playback.TrackOpening() && playback.CurrentIndex() == want; },
                                     kLongestCommandWait);
        if (playback.CurrentIndex() != want) {
            std::fprintf(stderr,
                         "two clicks on next %lu ms apart: track %d -> %d, want %d; %d refused inside callbacks%s\n",
                         gap, start, playback.CurrentIndex(), want,
                         playback.CommandsRefusedInCallbacks() - refusedBefore,
                         releaseWaits ? "" : "; the shell sent nothing for the second release");
            result = kWrongCommand;
        }
    }
    return result;
}

bool SeekLandsAt(fb2k_host::Host& host, int step) {
    double want = kTrackSeconds * step / 24;
    // The player's seconds pass through a fraction on their way: within a hundredth.
    return fb2k_host::PumpMessagesUntil([&] { return std::abs(host.Playback().Position() - want) < 0.01; },
                                        kLongestCommandWait);
}

// Before Windows 7: a left click on the slider seeks to the step under the pointer.
int CheckLeftSliderClicks(fb2k_host::Host& host, const ShownIcon cells[2], const ClickPlan& plan) {
    for (const SliderClick& click : plan.slider) {
        if (!cells[click.icon].Shows(click.x, click.y)) continue;
        Replay(host);
        ClickAt(cells[click.icon].Pixel(click.x, click.y));
        if (!SeekLandsAt(host, click.step)) {
            std::fprintf(stderr, "slider click at %s icon pixel %d,%d of %d: position %g, want step %d\n",
                         click.icon ? "right" : "left", click.x, click.y, plan.drawn, host.Playback().Position(),
                         click.step);
            return kWrongSeek;
        }
    }
    return kClicksWork;
}

// A right-button drag: pressed at `from`, moved through `through`, released at the last point.
void RightDrag(POINT from, const std::vector<POINT>& through) {
    MoveTo(from);
    SettlePointerAt(from);
    Button(MOUSEEVENTF_RIGHTDOWN);
    fb2k_host::PumpMessagesFor(60);
    for (POINT at : through) MoveTo(at);
    Button(MOUSEEVENTF_RIGHTUP);
}

// Windows 7 and later: the right button drags the slider, from the left icon across to the
// right one, and back from the right icon to the strip's left end, which is the start.
int CheckRightSliderDrags(fb2k_host::Host& host, const ShownIcon cells[2], const ClickPlan& plan) {
    const Drag& drag = plan.drag;
    Replay(host);
    RightDrag(cells[0].Pixel(drag.pressX, drag.y),
              {cells[0].Pixel(drag.icon0X[0], drag.y), cells[0].Pixel(drag.icon0X[1], drag.y),
               cells[1].Pixel(drag.icon1X[0], drag.y), cells[1].Pixel(drag.icon1X[1], drag.y)});
    const bool across = SeekLandsAt(host, drag.step);
    Replay(host);
    const int middle = plan.drawn / 2;
    RightDrag(cells[1].Pixel(middle, drag.y),
              {cells[1].Pixel(2, drag.y), cells[0].Pixel(middle, drag.y), cells[0].Pixel(0, drag.y)});
    const bool toStart = SeekLandsAt(host, 0);
    if (!across || !toStart) {
        std::fprintf(stderr, "right drags at %d: %s, position %g\n", plan.drawn,
                     across ? "the drag to the start missed step 0" : "the drag across missed its step",
                     host.Playback().Position());
        return kWrongSeek;
    }
    return kClicksWork;
}

// ---- What the strip was told, for a failure's report ----

// The strip's tray callback message.
constexpr UINT kTrayCallback = 1110; // not a resource id: WM_USER + 86

// Every tray message the strip is handed in this thread, with when and where the pointer was:
// a failed click's report says what the shell sent and in what order.
class TrayMessageJournal {
public:
    TrayMessageJournal() : m_hook(SetWindowsHookExW(WH_CALLWNDPROC, &Record, nullptr, GetCurrentThreadId())) {
        s_lines.clear();
    }
    ~TrayMessageJournal() {
        if (m_hook) UnhookWindowsHookEx(m_hook);
    }
    TrayMessageJournal(const TrayMessageJournal&) = delete;
    TrayMessageJournal& operator=(const TrayMessageJournal&) = delete;

    // The last `count` messages, oldest first.
    static void Print(size_t count) {
        const size_t from = s_lines.size() > count ? s_lines.size() - count : 0;
        std::fprintf(stderr, "the strip's last %zu tray messages (tick, icon, message, pointer):\n", s_lines.size() - from);
        for (size_t i = from; i < s_lines.size(); ++i) std::fprintf(stderr, "  %s\n", s_lines[i].c_str());
    }

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code >= 0 && call->message == kTrayCallback) {
            POINT pointer = {};
            GetCursorPos(&pointer);
            char line[96];
            std::snprintf(line, sizeof(line), "%lu %u 0x%04x %ld,%ld", GetTickCount(),
                          static_cast<unsigned>(call->wParam), static_cast<unsigned>(LOWORD(call->lParam)), pointer.x,
                          pointer.y);
            s_lines.emplace_back(line);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static std::vector<std::string> s_lines;
    HHOOK m_hook;
};
std::vector<std::string> TrayMessageJournal::s_lines;

int RunClicks(bool inTaskbar) {
    StripPlayer player(kTrackSeconds);
    if (!player.Started()) return kNoComponent;
    fb2k_host::Host& host = player.Host();
    TrayMessageJournal journal;

    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    const bool win7Profile = version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion > 0);
    ShownIcon cells[2];
    bool found = inTaskbar ? FindCellsInTaskbar(cells) : FindCellsInX11Tray(cells);
    const ClickPlan* plan = PlanForThisDpi();
    int result = !plan ? kNoPlan : found ? kClicksWork : kNoTrayIcons;
    if (result == kClicksWork) {
        PassOver(cells);
        result = CheckButtonEdges(host, cells, *plan);
    }
    if (result == kClicksWork)
        result = win7Profile ? CheckRightSliderDrags(host, cells, *plan) : CheckLeftSliderClicks(host, cells, *plan);
    if (result == kClicksWork) result = CheckDoubleClickOnNext(host, cells);
    if (result == kClicksWork) result = CheckQuickClicksWhileATrackOpens(host, cells);
    if (result != kClicksWork) {
        std::fprintf(stderr, "Windows %lu.%lu, small icon %d, %s\n", version.dwMajorVersion, version.dwMinorVersion,
                     GetSystemMetrics(SM_CXSMICON), inTaskbar ? "taskbar" : "X11 tray");
        for (const std::string& c : host.Commands().Executed()) std::fprintf(stderr, "ran %s\n", c.c_str());
        std::fprintf(stderr, "commands the player refused inside its callbacks: %d\n",
                     host.Playback().CommandsRefusedInCallbacks());
        TrayMessageJournal::Print(60);
    }
    return result;
}

CHILD_PROCESS_BODY(click_the_x11_tray) { return RunClicks(false); }

// ---- The taskbar comes back ----
//
// Wine cannot restart its explorer under a running session, so the tray's side of a restart
// is played here: the tray loses both icons and "TaskbarCreated" is broadcast to every
// top-level window, as a new taskbar does. The strip must then be back in Wine's tray, and
// answer a click.
enum RestartResult { kIconsBack = 0, kNoStripAtStart = 20, kIconsNotRemoved = 21, kIconsNotBack = 22, kNoAnswer = 23 };

void RemoveFromTray(HWND owner, UINT id) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof(record);
    record.hWnd = owner;
    record.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &record);
}

int RunRestart() {
    StripPlayer player(kTrackSeconds);
    if (!player.Started()) return kNoComponent;
    fb2k_host::Host& host = player.Host();
    int result = kIconsBack;
    std::vector<RECT> windows;
    HWND owner = FindWindowW(L"#32770", L"TrelvaneMessageWindow");
    if (!owner || !fb2k_host::PumpMessagesUntil([&] { return (windows = TrayIconWindowRects()).size() >= 2; }, 5000))
        result = kNoStripAtStart;
    const size_t withStrip = windows.size();
    if (result == kIconsBack) {
        RemoveFromTray(owner, 6862);
        RemoveFromTray(owner, 6863);
        if (!fb2k_host::PumpMessagesUntil([&] { return TrayIconWindowRects().size() == withStrip - 2; }, 5000))
            result = kIconsNotRemoved;
    }
    if (result == kIconsBack) {
        SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        if (!fb2k_host::PumpMessagesUntil([&] { return (windows = TrayIconWindowRects()).size() == withStrip; }, 5000))
            result = kIconsNotBack;
    }
    if (result == kIconsBack) {
        ShownIcon cells[2];
        FindCellsInX11Tray(cells);
        Replay(host);
        bool answered = false;
        // Three quarters across and down: the right-hand button of either icon, at any size.
        for (int cell = 0; cell < 2 && !answered; ++cell) {
            const int at = cells[cell].drawn * 3 / 4;
            answered = !CommandOfClick(host, cells[cell].Pixel(at, at), 3000).empty();
        }
        if (!answered) result = kNoAnswer;
    }
    return result;
}

CHILD_PROCESS_BODY(taskbar_comes_back) { return RunRestart(); }
CHILD_PROCESS_BODY(click_the_taskbar) { return RunClicks(true); }

const char kFailures[] =
    "10: no component, 11: no icons found in the tray, 12: a click ran the wrong command, 13: the "
    "slider sought elsewhere (details above), 14: no clicks typed for this small-icon size, 15: the "
    "tray showed too few of the pixels to click";

struct ClickRun {
    const wchar_t* version;
    DWORD dpi;
};
const ClickRun kRuns[] = {{L"winxp64", 96},  {L"win7", 96},  {L"win10", 96},
                          {L"winxp64", 144}, {L"win7", 144}, {L"win10", 144}};

TEST(TrayClicks, ZoneEdgesInWinesX11Tray) {
    for (const ClickRun& run : kRuns) {
        RunConditions conditions(run.version, run.dpi);
        ChildResult child = RunChild("click_the_x11_tray", kClickRunLimit);
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kClicksWork))
            << "as " << std::string(run.version, run.version + wcslen(run.version)) << " at " << run.dpi << " DPI; "
            << kFailures;
    }
}

TEST(TrayRestart, BothIconsAreBackInWinesTrayAfterTaskbarCreated) {
    ChildResult child = RunChild("taskbar_comes_back", 60000);
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kIconsBack))
        << "20: no strip in the tray at the start, 21: the tray kept the icons, 22: the icons did not come back, "
           "23: they came back but do not answer a click";
}

TEST(TrayClicks, ZoneEdgesInTheTaskbarOfAVirtualDesktop) {
    int n = 0;
    for (const ClickRun& run : kRuns) {
        RunConditions conditions(run.version, run.dpi);
        // A new desktop for each run: its explorer reads the DPI when it starts.
        std::wstring desktop = PrepareDesktop(
            (L"trelvane-clicks-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n++)).c_str());
        ChildResult child = RunChild("click_the_taskbar", kClickRunLimit, L"", desktop.c_str());
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", desktop.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Wine\\Explorer\\Desktops\\" + desktop).c_str());
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, static_cast<unsigned long>(kClicksWork))
            << "as " << std::string(run.version, run.version + wcslen(run.version)) << " at " << run.dpi << " DPI; "
            << kFailures;
    }
}

} // namespace
