// What the running controller does on clicks, slider moves, playback events and new tracks,
// against an in-process stand-in player and a stand-in tray at the shell's import boundary.
#include "controller/Trelvane.h"
#include "controller/play_callback.h"
#include "host/main_menu.h"
#include "settings/config_vars.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_tray.h"
#include "tray/standard_commands.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<std::string>;

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
        stream.meta["artist"] = "Radio";  // a body to show
        playback().SetPlaylist({stream});
        playback().Play();
    }
    static std::vector<ShellCall> Balloons() {
        std::vector<ShellCall> shown;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if ((call.flags & NIF_INFO) && !call.info.empty()) shown.push_back(call);
        return shown;
    }

    // The shell takes the balloon's time only on the Windows 7 profile; elsewhere it is 10.
    static UINT ExpectedTimeout(UINT seconds) { return controller().IsWin7() ? seconds : 10; }

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
    struct Case { bool volumeSetting; bool autoVolume; int source; bool expectVolume; };
    enum { Nothing, File, Stream };
    const Case cases[] = {
        {true, false, File, true},   {false, false, Stream, false}, {false, true, Nothing, false},
        {false, true, File, false},  {false, true, Stream, true},
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
    EXPECT_EQ(playback().CallCount("is_playing"), 0);
    cfg::AutoVolumeOnStream = false;
    controller().VolumeSlider(false);
    EXPECT_EQ(playback().CallCount("is_playing"), 0);
    EXPECT_EQ(playback().CallCount("playback_can_seek"), 0);
}

TEST_F(ControllerReactionsTest, SeekSliderMapsStepsOntoTheTrack) {
    PlayFile(200.0);
    controller().onSliderPositionChange(12.0 / 24.0);
    EXPECT_DOUBLE_EQ(playback().Position(), 100.0);
    controller().onSliderPositionChange(1.0 / 24.0);
    EXPECT_DOUBLE_EQ(playback().Position(), 8.333);
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
    const struct { int step; float db; int drawnStep; } steps[] = {
        {0, -100.0f, 0}, {1, -55.234f, 0}, {6, -22.520f, 5}, {12, -7.209f, 11},
        {18, -1.865f, 17}, {23, -0.198f, 22}, {24, 0.0f, 24}};
    for (const auto& s : steps) {
        controller().onSliderPositionChange(s.step / 24.0);
        EXPECT_NEAR(playback().VolumeDb(), s.db, 0.001) << "step " << s.step;
        EXPECT_EQ(static_cast<int>(controller().onWantSliderPosition() * 24), s.drawnStep) << "step " << s.step;
    }
}

TEST_F(ControllerReactionsTest, StripFollowsStartPauseResumeAndStop) {
    PlayFile();
    EXPECT_EQ(controller().CurrentPlayMode(), Playing);
    playback().Pause(true);
    EXPECT_EQ(controller().CurrentPlayMode(), Paused);
    playback().Pause(false);
    EXPECT_EQ(controller().CurrentPlayMode(), Playing);
    playback().Stop();
    EXPECT_EQ(controller().CurrentPlayMode(), Stopped);
}

TEST_F(ControllerReactionsTest, AStartInThePausedStateShowsPlayingUntilAPauseArrives) {
    playback().SetPlaylist({FileTrack(100)});
    playback().PlayPaused();
    EXPECT_EQ(controller().CurrentPlayMode(), Playing);
}

TEST_F(ControllerReactionsTest, NewTrackSetsTheTooltipAndShowsTheBalloonOnce) {
    PlayFile(200.0, "C:\\Music\\track.flac");
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
    EXPECT_TRUE(Balloons().empty());
    PlayStream();
    EXPECT_EQ(Balloons().size(), 1u);

    tray->Clear();
    cfg::ShowBalloon = true;
    cfg::ShowBalloonOnStream = false;
    PlayStream();
    EXPECT_TRUE(Balloons().empty());
    PlayFile();
    EXPECT_EQ(Balloons().size(), 1u);
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
        ASSERT_EQ(balloons.size(), 1u);
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

} // namespace
