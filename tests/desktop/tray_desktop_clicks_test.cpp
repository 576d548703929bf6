// End to end on the demo's desktop (tools/tray-desktop.sh runs this test there): the stand-in
// player with the real component, its two icons docked in the desktop's X11 system tray, and
// real pointer clicks on the strip's buttons and slider. Each click must change the player's
// own state: what plays, the track, the position, paused or stopped.
#include "host/host_core.h"
#include "host/main_menu.h"
#include "host/playback_engine.h"
#include "tests/support/child_process.h"
#include "tests/support/strip_player.h"
#include "tests/support/tray_icon_windows.h"
#include "tests/support/windows_version.h"
#include "tests/support/x11_pointer.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// The player runs as Windows XP here, whose left click on the slider seeks at once (the clicks
// of Windows 7 and later run in Wine's own trays, tray_click_e2e_test). The strip reads
// "|< [] > >|" left to right whatever the profile.
const wchar_t kWindowsXp[] = L"winxp64";

constexpr double kTrackSeconds = 200.0;

// One click on the strip and what the player must show afterwards. Pixels are icon pixels
// of the 16 x 16 icon: the button row is rows 8 to 14, the slider row rows 0 to 6; each
// icon's left half holds its first button (previous, play/pause), the right half its second.
struct Click {
    const char* what;
    int icon;
    int x, y;
    std::function<bool(fb2k_host::PlaybackEngine&)> done;
};

bool PlayingTrack(fb2k_host::PlaybackEngine& p, int index) {
    return p.IsPlaying() && !p.IsPaused() && p.CurrentIndex() == index;
}

// Step 20 of the 24-step seek slider: icon 1's column 6 is strip column 22, and the step is
// that column less 2, where the cursor of step 0 starts.
constexpr double kSeekTarget = kTrackSeconds * 20 / 24;

std::vector<Click> TheClicks() {
    return {
        {"play", 1, 4, 11, [](fb2k_host::PlaybackEngine& p) { return PlayingTrack(p, 0); }},
        {"next", 1, 12, 11, [](fb2k_host::PlaybackEngine& p) { return PlayingTrack(p, 1); }},
        {"next again", 1, 13, 12, [](fb2k_host::PlaybackEngine& p) { return PlayingTrack(p, 2); }},
        {"previous", 0, 3, 11, [](fb2k_host::PlaybackEngine& p) { return PlayingTrack(p, 1); }},
        {"seek on the slider", 1, 6, 3,
         [](fb2k_host::PlaybackEngine& p) {
             return PlayingTrack(p, 1) && std::fabs(p.Position() - kSeekTarget) < 0.01;
         }},
        {"pause", 1, 5, 12, [](fb2k_host::PlaybackEngine& p) { return p.IsPlaying() && p.IsPaused(); }},
        {"stop", 0, 12, 11, [](fb2k_host::PlaybackEngine& p) { return !p.IsPlaying(); }},
    };
}

constexpr int kNoComponent = 100;
constexpr int kNotTwoIcons = 101;

void PrintState(fb2k_host::Host& host) {
    fb2k_host::PlaybackEngine& p = host.Playback();
    std::fprintf(stderr, "player: playing %d paused %d track %d position %.3f\n", p.IsPlaying(), p.IsPaused(),
                 p.CurrentIndex(), p.Position());
    for (const std::string& c : host.Commands().Executed()) std::fprintf(stderr, "ran %s\n", c.c_str());
}

// The tray icon windows once the tray has docked them. It docks the icons a moment after they
// appear (and lays itself out again while a fresh desktop starts): let it settle, then look again.
std::vector<RECT> SettledTrayIcons() {
    std::vector<RECT> icons;
    fb2k_host::PumpMessagesUntil([&] { return (icons = TrayIconWindowRects()).size() >= 2; }, 10000);
    fb2k_host::PumpMessagesFor(1500);
    return TrayIconWindowRects();
}

// Runs a child body below in a process that Wine reports as Windows XP.
ChildResult RunAsWindowsXp(const char* body, DWORD timeout) {
    ScopedAppVersion version(kWindowsXp);
    return RunChild(body, timeout);
}

// Returns 0 when every click did its work, else the number of the first click that did not
// (1 for the first), or one of the codes above.
CHILD_PROCESS_BODY(click_the_docked_strip) {
    StripPlayer player(kTrackSeconds);
    if (!player.Started()) return kNoComponent;
    fb2k_host::Host& host = player.Host();

    std::vector<RECT> icons = SettledTrayIcons();
    int result = 0;
    if (icons.size() != 2) {
        DescribeDesktopWindows();
        result = kNotTwoIcons;
    }
    std::vector<Click> clicks = TheClicks();
    for (size_t i = 0; result == 0 && i < clicks.size(); ++i) {
        const Click& click = clicks[i];
        // Two clicks close together in time and place make a double click, which the strip
        // takes as no press at all (as on Windows): a person pauses between clicks.
        fb2k_host::PumpMessagesFor(GetDoubleClickTime() + 100);
        // Where the icons are now: the tray may have moved them since the last click.
        std::vector<RECT> now = TrayIconWindowRects();
        const size_t commandsBefore = host.Commands().Executed().size();
        if (now.size() == 2) icons = now;
        LeftClickAt(IconPixel(icons[static_cast<size_t>(click.icon)], click.x, click.y));
        bool done = fb2k_host::PumpMessagesUntil([&] { return click.done(host.Playback()); }, 5000);
        if (!done && host.Commands().Executed().size() == commandsBefore) {
            // The X server's tray now and then loses the very first press on a desktop that has
            // just started (nothing reached the strip: no command ran). Say so, and click again.
            std::fprintf(stderr, "the click on %s reached nothing; clicking again\n", click.what);
            fb2k_host::PumpMessagesFor(GetDoubleClickTime() + 100);
            LeftClickAt(IconPixel(icons[static_cast<size_t>(click.icon)], click.x, click.y));
            done = fb2k_host::PumpMessagesUntil([&] { return click.done(host.Playback()); }, 5000);
        }
        if (!done) {
            std::fprintf(stderr, "the click on %s did not do its work\n", click.what);
            result = static_cast<int>(i) + 1;
        }
    }
    if (result != 0) PrintState(host);
    return result;
}

TEST(DesktopTrayClicks, ClicksOnTheDockedStripDriveThePlayer) {
    ChildResult child = RunAsWindowsXp("click_the_docked_strip", 90000);
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "1 play, 2 next, 3 next again, 4 previous, 5 seek, 6 pause, 7 stop: "
                                     "that click did not change the player; 100: no component; "
                                     "101: not two icons in the tray";
}

// ---- The mouse wheel over the docked strip, turned through the X server.

// The player's volume at slider steps 21 and 22 (levels 223 and 233), typed from the level's
// decibels 1 - 10^((255 - level) / 140).
constexpr double kStep21Db = -0.692667;
constexpr double kStep22Db = -0.435962;

bool VolumeNear(fb2k_host::Host& host, double db) { return std::fabs(host.Playback().VolumeDb() - db) < 0.001; }

// Moves the X pointer to `at`, waits for the tray's messages about it, then turns the wheel
// `clicks` times (button 4 up, 5 down) and waits until `done` or `patience` has passed.
bool WheelAt(POINT at, int button, int clicks, const std::function<bool()>& done, DWORD patience = 5000) {
    StartXdotool({"mousemove", std::to_string(at.x), std::to_string(at.y)});
    fb2k_host::PumpMessagesFor(700);
    StartXdotool({"click", "--repeat", std::to_string(clicks), "--delay", "150", std::to_string(button)});
    return fb2k_host::PumpMessagesUntil(done, patience);
}

// Returns 0 when the wheel did what it should: 1 three notches down over the strip did not
// reach step 21, 2 one notch up did not reach step 22, 3 the wheel beside the strip changed
// the volume; or one of the codes of the clicks above, 102 when xdotool cannot be started.
CHILD_PROCESS_BODY(wheel_over_the_docked_strip) {
    StripPlayer player(kTrackSeconds);
    if (!player.Started()) return kNoComponent;
    fb2k_host::Host& host = player.Host();
    const std::vector<RECT> icons = SettledTrayIcons();
    if (icons.size() != 2) return kNotTwoIcons;
    if (!StartXdotool({"mousemove", "640", "300"})) return 102;
    fb2k_host::PumpMessagesFor(500);
    // From 0 dB: the slider row of the left icon, then the button row of the right one.
    if (!WheelAt(IconPixel(icons[0], 8, 3), 5, 3, [&] { return VolumeNear(host, kStep21Db); })) return 1;
    if (!WheelAt(IconPixel(icons[1], 5, 11), 4, 1, [&] { return VolumeNear(host, kStep22Db); })) return 2;
    // Beside the strip in the same tray, and away from the tray: nothing changes.
    const POINT beside = {icons[0].left - 12, (icons[0].top + icons[0].bottom) / 2};
    const auto changed = [&] { return !VolumeNear(host, kStep22Db); };
    if (WheelAt(beside, 4, 2, changed, 1500) || WheelAt(POINT{640, 300}, 5, 2, changed, 1500)) return 3;
    return 0;
}

TEST(DesktopTrayClicks, WheelOverTheDockedStripStepsTheVolume) {
    ChildResult child = RunAsWindowsXp("wheel_over_the_docked_strip", 60000);
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u) << "1: three notches down over the strip; 2: one notch up; 3: the wheel beside "
                                     "the strip changed the volume; 100: no component; 101: not two icons; "
                                     "102: no xdotool";
}

} // namespace
