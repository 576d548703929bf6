// What the running controller does on clicks, slider moves, playback events and new tracks,
// against an in-process stand-in player and a stand-in tray at the shell's import boundary.
#include "controller/Trelvane.h"
#include "controller/play_callback.h"
#include "host/main_menu.h"
#include "settings/config_vars.h"
#include "tests/support/iat_hook.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tray/standard_commands.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<std::string>;

struct StartedTimer {
    HWND window;
    UINT_PTR id;
    UINT period;
};
std::vector<StartedTimer> startedTimers;
IatHook* setTimerHook = nullptr;
UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
    startedTimers.push_back({window, id, period});
    return OriginalOf<decltype(&SetTimer)>(*setTimerHook)(window, id, period, procedure);
}

// The live switches of the player's registry key.
void SetLiveSwitch(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Morvalen\\Trelvane", name, REG_DWORD, &value, sizeof(value));
}
void ClearLiveSwitch(const wchar_t* name) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Morvalen\\Trelvane", name);
}

class ControllerReactionsTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn = new InProcessHost();
        tray = new ShellTray();
        Trelvane::Instance().onInit();
        standIn->playback().RegisterCallback(&PlayCallback(), kPlayCallbackMask, true);
    }
    void SetUp() override {
        playback().Stop();
        playback().SetVolumeDb(0);
        standIn->host.Commands().Clear();
        tray->Clear();
        cfg::VolumeSlider = false;
        cfg::AutoVolumeOnStream = true;
        cfg::ShowBalloon = true;
        cfg::ShowBalloonOnStream = true;
        cfg::BalloonHideAfter = 4;
        cfg::BalloonTitle = cfg::kDefaultBalloonTitle;
        cfg::BalloonFormat = "[%artist%\r\n][%album%]\r\n \r\n";
        controller().VolumeSlider();
    }
    static Trelvane& controller() { return Trelvane::Instance(); }
    static fb2k_host::PlaybackEngine& playback() { return standIn->playback(); }
    static const Commands& executed() { return standIn->host.Commands().Executed(); }
    static void PlayFile(double seconds = 200.0, const char* path = "C:\\Music\\track.flac") {
        playback().SetPlaylist({FileTrack(seconds, path), FileTrack(seconds, "C:\\Music\\next.flac")});
        playback().Play();
    }
    static void PlayStream() {
        fb2k_host::TrackInfo stream = StreamTrack();
        stream.meta["artist"] = "Radio"; // a body to show
        playback().SetPlaylist({stream});
        playback().Play();
    }
    // Balloon updates with an empty text: the balloon is hidden.
    static std::vector<ShellCall> BalloonHides() {
        std::vector<ShellCall> hides;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if ((call.flags & NIF_INFO) && call.info.empty()) hides.push_back(call);
        return hides;
    }
    static std::vector<ShellCall> Balloons() {
        std::vector<ShellCall> shown;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if ((call.flags & NIF_INFO) && !call.info.empty()) shown.push_back(call);
        return shown;
    }

    // The shell takes the balloon's time only on the Windows 7 profile; elsewhere it is 10.
    static UINT ExpectedTimeout(UINT seconds) { return controller().Windows7Profile() ? seconds : 10; }

    static InProcessHost* standIn;
    static ShellTray* tray;
};
InProcessHost* ControllerReactionsTest::standIn = nullptr;
ShellTray* ControllerReactionsTest::tray = nullptr;

TEST_F(ControllerReactionsTest, TransportButtonsRunThePlayersOwnCommands) {
    controller().onPlayClick();
    controller().onPauseClick();
    controller().onStopClick();
    controller().onPrevClick();
    controller().onNextClick();
    controller().onLoadClick();
    EXPECT_EQ(executed(), (Commands{"Play", "Pause", "Stop", "Previous", "Next", "Activate", "Open"}));
}

// The player takes no command from inside its own calls; a click made there counts once the
// call has returned, and a seek made while the next track starts lands in that track.
TEST_F(ControllerReactionsTest, ClicksMadeInsideThePlayersCallsCountAfterIt) {
    playback().SetPlaylist({FileTrack(200, "C:\\Music\\a.flac"), FileTrack(100, "C:\\Music\\b.flac"),
                            FileTrack(80, "C:\\Music\\c.flac")});
    playback().SetTrackOpening(5, 0);
    playback().Play();
    fb2k_host::PumpMessagesUntil([] { return !playback().TrackOpening(); }, 2000);
    // A second next and a click on the slider's middle reach the strip while the first next's
    // stop is being handled.
    tray->DeliverDuringNextCall([] {
        controller().onNextClick();
        controller().onSliderPositionChange(0.5);
    });
    controller().onNextClick();
    fb2k_host::PumpMessagesUntil([] { return playback().CurrentIndex() == 2 && playback().Position() > 0; }, 2000);
    playback().SetTrackOpening(0, 0);
    EXPECT_EQ(playback().CommandsRefusedInCallbacks(), 0) << "a command was given from inside a playback callback";
    EXPECT_EQ(playback().CurrentIndex(), 2) << "the second next did not count";
    EXPECT_NEAR(playback().Position(), 40.0, 0.01) << "the seek to the middle missed the third track (80 s)";
}

TEST_F(ControllerReactionsTest, MiddleClickRestoresAMinimisedPlayerAndHidesAShownOne) {
    HWND main = standIn->host.MainWindow();
    ShowWindow(main, SW_SHOWMINNOACTIVE);
    controller().onMiddleClick();
    ShowWindow(main, SW_SHOWNOACTIVATE);
    controller().onMiddleClick();
    EXPECT_EQ(executed(), (Commands{"Activate", "Hide"}));
}

TEST_F(ControllerReactionsTest, ACommandThePlayerDoesNotKnowDoesNothing) {
    standIn->host.Commands().Unpublish(standard_commands::open);
    EXPECT_FALSE(RunOpenCommand());
    controller().onLoadClick();
    EXPECT_EQ(executed(), (Commands{"Activate"}));
    EXPECT_TRUE(RunActivateCommand());
}

TEST_F(ControllerReactionsTest, SliderModeFollowsTheSettingAndTheSource) {
    // The user's choice wins; otherwise a source that cannot be sought gets the volume slider.
    struct Case {
        bool volumeSetting;
        bool autoVolume;
        int source;
        bool expectVolume;
    };
    enum { Nothing, File, Stream };
    const Case cases[] = {
        {true, false, File, true},  {false, false, Stream, false}, {false, true, Nothing, false},
        {false, true, File, false}, {false, true, Stream, true},
    };
    for (const Case& c : cases) {
        playback().Stop();
        if (c.source == File) PlayFile();
        if (c.source == Stream) PlayStream();
        cfg::VolumeSlider = c.volumeSetting;
        cfg::AutoVolumeOnStream = c.autoVolume;
        controller().VolumeSlider();
        EXPECT_EQ(controller().VolumeSliderActive(), c.expectVolume)
            << "setting " << c.volumeSetting << " auto " << c.autoVolume << " source " << c.source;
    }
}

TEST_F(ControllerReactionsTest, PlayerIsAskedOnlyAsFarAsTheAnswerNeeds) {
    PlayStream();
    playback().ResetCallCounts();
    controller().VolumeSlider(true);
    EXPECT_EQ(playback().CallCount("is_playing"), 0) << "the volume slider chosen";
    cfg::AutoVolumeOnStream = false;
    controller().VolumeSlider(false);
    EXPECT_EQ(playback().CallCount("is_playing"), 0) << "the seek slider chosen, no automatic volume";
    EXPECT_EQ(playback().CallCount("playback_can_seek"), 0);
}

TEST_F(ControllerReactionsTest, SeekSliderMapsStepsOntoTheTrack) {
    PlayFile(200.0);
    controller().onSliderPositionChange(12.0 / 24.0);
    EXPECT_DOUBLE_EQ(playback().Position(), 100.0) << "step 12";
    controller().onSliderPositionChange(1.0 / 24.0);
    EXPECT_DOUBLE_EQ(playback().Position(), 8.333) << "step 1";
    EXPECT_DOUBLE_EQ(controller().onWantSliderPosition(), 8333.0 / 200000.0);
}

TEST_F(ControllerReactionsTest, SeekSliderOnAStreamHasNoPosition) {
    cfg::AutoVolumeOnStream = false;
    PlayStream();
    controller().VolumeSlider();
    EXPECT_EQ(controller().onWantSliderPosition(), -1.0);
}

TEST_F(ControllerReactionsTest, VolumeSliderStepsSetTheVolumeAndReadBackOneStepLower) {
    controller().VolumeSlider(true);
    const struct {
        int step;
        float db;
        int drawnStep;
    } steps[] = {{0, -100.0f, 0},   {1, -55.234f, 0},  {6, -22.520f, 5}, {12, -7.209f, 11},
                 {18, -1.865f, 17}, {23, -0.198f, 22}, {24, 0.0f, 24}};
    for (const auto& s : steps) {
        controller().onSliderPositionChange(s.step / 24.0);
        EXPECT_NEAR(playback().VolumeDb(), s.db, 0.001) << "step " << s.step;
        EXPECT_EQ(static_cast<int>(controller().onWantSliderPosition() * 24), s.drawnStep) << "step " << s.step;
    }
}

TEST_F(ControllerReactionsTest, StripFollowsStartPauseResumeAndStop) {
    PlayFile();
    EXPECT_EQ(controller().CurrentPlayMode(), Playing) << "start";
    playback().Pause(true);
    EXPECT_EQ(controller().CurrentPlayMode(), Paused) << "pause";
    playback().Pause(false);
    EXPECT_EQ(controller().CurrentPlayMode(), Playing) << "resume";
    playback().Stop();
    EXPECT_EQ(controller().CurrentPlayMode(), Stopped) << "stop";
}

TEST_F(ControllerReactionsTest, AStartInThePausedStateShowsPlayingUntilAPauseArrives) {
    playback().SetPlaylist({FileTrack(100)});
    playback().PlayPaused();
    EXPECT_EQ(controller().CurrentPlayMode(), Playing);
}

TEST_F(ControllerReactionsTest, NewTrackSetsTheTooltipAndShowsTheBalloonOnce) {
    PlayFile(200.0, "C:\\Music\\track.flac");
    // Both icons carry "[%artist% - ]%title%" of the new track as their tooltip.
    for (UINT id : {6862u, 6863u}) {
        std::vector<ShellCall> updates;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if (call.id == id && !(call.flags & NIF_INFO)) updates.push_back(call);
        ASSERT_FALSE(updates.empty()) << id;
        EXPECT_TRUE(updates.back().flags & NIF_TIP) << id;
        EXPECT_EQ(updates.back().tip, L"Artist - Title") << id;
    }
    std::vector<ShellCall> balloons = Balloons();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].infoTitle, L"Title");
    EXPECT_EQ(balloons[0].info, L"Artist") << "trailing spaces and line breaks are trimmed";
    EXPECT_EQ(balloons[0].timeoutOrVersion, ExpectedTimeout(4));
    EXPECT_TRUE(controller().BalloonShown());

    controller().ShowBalloon(false);
    EXPECT_EQ(Balloons().size(), 1u) << "once per track";
    controller().ShowBalloon(true);
    EXPECT_EQ(Balloons().size(), 2u) << "on demand it shows again";
}

TEST_F(ControllerReactionsTest, BalloonSettingsAreSeparateForFilesAndStreams) {
    cfg::ShowBalloon = false;
    cfg::ShowBalloonOnStream = true;
    PlayFile();
    EXPECT_TRUE(Balloons().empty()) << "a file, file balloons off";
    PlayStream();
    EXPECT_EQ(Balloons().size(), 1u) << "a stream, stream balloons on";

    tray->Clear();
    cfg::ShowBalloon = true;
    cfg::ShowBalloonOnStream = false;
    PlayStream();
    EXPECT_TRUE(Balloons().empty()) << "a stream, stream balloons off";
    PlayFile();
    EXPECT_EQ(Balloons().size(), 1u) << "a file, file balloons on";
}

TEST_F(ControllerReactionsTest, EmptyBalloonTitleFallsBackToTheFileNameUpToItsLastDot) {
    cfg::BalloonTitle = "[%genre%]";
    PlayFile(200.0, "C:\\Music\\Live.at.the.Hall.flac");
    std::vector<ShellCall> balloons = Balloons();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].infoTitle, L"Live.at.the");
}

TEST_F(ControllerReactionsTest, HideTimeIsClampedToOneToTenSeconds) {
    PlayFile();
    for (const auto& c : {std::pair<int, UINT>{0, 1}, {-5, 1}, {30, 10}, {7, 7}}) {
        cfg::BalloonHideAfter = c.first;
        tray->Clear();
        controller().ShowBalloon(true);
        std::vector<ShellCall> balloons = Balloons();
        ASSERT_EQ(balloons.size(), 1u) << c.first;
        EXPECT_EQ(balloons[0].timeoutOrVersion, ExpectedTimeout(c.second)) << c.first;
    }
}

TEST_F(ControllerReactionsTest, NoBalloonForANewTrackWhileNotPlaying) {
    playback().SetPlaylist({FileTrack(100)});
    playback().PlayPaused();
    playback().Pause(true);
    tray->Clear();
    controller().onTitleChange(L"Some title");
    EXPECT_TRUE(Balloons().empty());
}

TEST_F(ControllerReactionsTest, PauseAndStopHideTheBalloonAndResumingLeavesIt) {
    PlayFile();
    ASSERT_EQ(Balloons().size(), 1u);
    tray->Clear();
    playback().Pause(true);
    EXPECT_EQ(BalloonHides().size(), 1u) << "pause";
    tray->Clear();
    playback().Pause(false);
    for (const ShellCall& call : tray->Calls()) EXPECT_FALSE(call.flags & NIF_INFO) << "resuming touches no balloon";
    EXPECT_EQ(controller().CurrentPlayMode(), Playing);
    tray->Clear();
    playback().Stop();
    EXPECT_EQ(BalloonHides().size(), 1u) << "stop";
}

TEST_F(ControllerReactionsTest, SeekTimeAndVolumeEventsLeaveTheRedrawToTheSliderTimer) {
    PlayFile(200.0);
    tray->Clear();
    playback().Seek(100.0);
    playback().Advance(1.0);
    EXPECT_TRUE(ShellGot(*tray, "nothing sent: a seek and the playing time redraw nothing themselves", {}));
    controller().RefreshSlider(); // the slider timer's tick moves the cursor
    const bool reversed = controller().Profile().addReversed;
    EXPECT_TRUE(ShellGot(*tray, "both icons redrawn by the slider's tick after the seek", BothModified(reversed)));

    controller().VolumeSlider(true);
    tray->Clear();
    playback().SetVolumeDb(-20.0f);
    EXPECT_TRUE(ShellGot(*tray, "nothing sent: a volume change redraws nothing itself", {}));
    controller().RefreshSlider();
    EXPECT_TRUE(ShellGot(*tray, "both icons redrawn by the slider's tick after the volume change",
                         BothModified(reversed)));
}

TEST_F(ControllerReactionsTest, TheBalloonHidesItselfAfterItsSeconds) {
    PlayFile();
    {
        IatHook hook(GetModuleHandleW(nullptr), "user32.dll", "SetTimer", reinterpret_cast<void*>(&RecordSetTimer));
        ASSERT_TRUE(hook.Installed());
        setTimerHook = &hook;
        // The hide time in seconds, limited to 1 to 10, for the balloon timer 30002.
        for (const auto& c :
             {std::pair<int, UINT>{7, 7000}, {0, 1000}, {30, 10000}, {1, 1000}}) { // not a resource id: ms
            cfg::BalloonHideAfter = c.first;
            startedTimers.clear();
            controller().ShowBalloon(true);
            ASSERT_EQ(startedTimers.size(), 1u) << c.first;
            EXPECT_EQ(startedTimers[0].window, controller().MessageWindow()) << c.first;
            EXPECT_EQ(startedTimers[0].id, 30002u) << c.first;
            EXPECT_EQ(startedTimers[0].period, c.second) << c.first;
        }
    }
    setTimerHook = nullptr;
    // The last one runs for a second: the balloon is still up after half of it, gone after.
    tray->Clear();
    fb2k_host::PumpMessagesFor(400);
    EXPECT_TRUE(BalloonHides().empty()) << "hidden too early";
    EXPECT_TRUE(fb2k_host::PumpMessagesUntil([] { return !BalloonHides().empty(); }, 3000));
    // The timer fired once: it was killed by its own tick.
    tray->Clear();
    fb2k_host::PumpMessagesFor(1300);
    EXPECT_TRUE(BalloonHides().empty()) << "hidden a second time: the timer kept running";
}

TEST_F(ControllerReactionsTest, ThePlayersOwnTrayIconFollowsTheHideSwitch) {
    for (DWORD hide : {1u, 0u}) {
        SetLiveSwitch(L"HideFoobarIcon", hide);
        tray->Clear();
        Trelvane::SFIHState();
        ASSERT_EQ(tray->Calls().size(), 1u) << "switch " << hide;
        const ShellCall& call = tray->Calls()[0];
        EXPECT_EQ(call.message, DWORD(NIM_MODIFY)) << "switch " << hide;
        EXPECT_EQ(call.window, standIn->host.MainWindow()) << "switch " << hide;
        EXPECT_EQ(call.id, 0u) << "switch " << hide;
        EXPECT_EQ(call.flags, UINT(NIF_STATE)) << "switch " << hide;
        EXPECT_EQ(call.stateMask, DWORD(NIS_HIDDEN)) << "switch " << hide;
        EXPECT_EQ(call.state, hide ? DWORD(NIS_HIDDEN) : 0u) << "switch " << hide;
    }
    ClearLiveSwitch(L"HideFoobarIcon");
    tray->Clear();
    Trelvane::SFIHState();
    ASSERT_EQ(tray->Calls().size(), 1u);
    EXPECT_EQ(tray->Calls()[0].state, 0u) << "without the switch the icon shows";
}

} // namespace
