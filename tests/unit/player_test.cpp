// The Player adapter's conversions between the player's units (dB, seconds) and ours
// (level 0..255, milliseconds), against the player itself.
#include "tests/support/call_stack.h"
#include "player/Player.h"
#include "tests/support/in_process_host.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class PlayerTest : public testing::Test {
protected:
    InProcessHost stand_in;
    fb2k_host::PlaybackEngine& playback() { return stand_in.playback(); }
    void PlayTrack(double lengthSeconds) {
        playback().SetPlaylist({FileTrack(lengthSeconds)});
        playback().Play();
    }
};

struct LevelRoundTrip {
    int written;
    float expectedDb;
    int readBack;
};

TEST_F(PlayerTest, WrittenLevelsReachThePlayerAsDecibelsAndReadBack) {
    const LevelRoundTrip cases[] = {{255, 0.0f, 255},   {200, -1.471f, 199}, {128, -7.075f, 128},
                                    {64, -22.136f, 63}, {32, -38.161f, 31},  {10, -55.234f, 10},
                                    {2, -63.142f, 2},   {1, -64.206f, 0},    {0, -100.0f, 0}};
    for (const LevelRoundTrip& c : cases) {
        Player::Volume(c.written);
        EXPECT_NEAR(playback().VolumeDb(), c.expectedDb, 0.001) << "level " << c.written;
        EXPECT_EQ(Player::Volume(), c.readBack) << "level " << c.written;
    }
}

TEST_F(PlayerTest, LevelZeroIsExactlyTheSilenceFloorAndFullIsExactlyZeroDb) {
    Player::Volume(0);
    EXPECT_EQ(playback().VolumeDb(), -100.0f) << "level 0";
    Player::Volume(255);
    EXPECT_EQ(playback().VolumeDb(), 0.0f) << "level 255";
}

TEST(PlayerConversion, DecibelsReadAsLevels) {
    const std::pair<float, int> cases[] = {{0.0f, 255},   {-1.0f, 212}, {-3.0f, 170}, {-6.0f, 136},
                                           {-10.0f, 109}, {-20.0f, 69}, {-40.0f, 29}, {-60.0f, 5},
                                           {-65.0f, 0},   {-100.0f, 0}, {3.0f, 255},  {-65.3f, 0}};
    for (const auto& c : cases) EXPECT_EQ(Player::LevelFromDecibels(c.first), c.second) << c.first << " dB";
}

TEST(PlayerConversion, InfiniteVolumesReadAsSilenceOrFull) {
    EXPECT_EQ(Player::LevelFromDecibels(-std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(Player::LevelFromDecibels(std::numeric_limits<float>::infinity()), 255);
}

TEST_F(PlayerTest, PositionsAreTruncatedMillisecondsAndSeeksUseSeconds) {
    PlayTrack(200.0);
    playback().Seek(12.3456);
    EXPECT_EQ(Player::Position(), 12345);
    Player::Position(1500);
    EXPECT_DOUBLE_EQ(playback().Position(), 1.5);
    EXPECT_EQ(Player::Length(), 200000);
}

TEST(PlayerConversion, EveryTimeGivesADefinedNumberOfMilliseconds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, int> cases[] = {{12.3456, 12345},
                                            {0.0, 0},
                                            {-0.0, 0},
                                            {0.0009, 0},
                                            {2147483.647, 2147483647},
                                            {2147483.6489, 2147483647},
                                            {1e12, 2147483647},
                                            {inf, 2147483647},
                                            {-0.0001, -1},
                                            {-2.5, -1},
                                            {-1e12, -1},
                                            {-inf, -1},
                                            {nan, -1}};
    for (const auto& c : cases) EXPECT_EQ(Player::MillisecondsFromSeconds(c.first), c.second) << c.first << " s";
}

TEST_F(PlayerTest, AnUnknownLengthReadsAsNegativeAndAHugeOneAsTheLargest) {
    PlayTrack(100.0);
    playback().OverrideLength(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Player::Length(), -1) << "NaN";
    playback().OverrideLength(-3.0);
    EXPECT_EQ(Player::Length(), -1) << "-3 s";
    playback().OverrideLength(std::numeric_limits<double>::infinity());
    EXPECT_EQ(Player::Length(), 2147483647) << "infinity";
}

TEST_F(PlayerTest, NothingPlayingHasNoLength) {
    EXPECT_EQ(Player::Length(), 0);
    EXPECT_FALSE(Player::Playing());
    EXPECT_FALSE(Player::Paused());
}

TEST_F(PlayerTest, PausedTrackCountsAsPlaying) {
    PlayTrack(100.0);
    playback().Pause(true);
    EXPECT_TRUE(Player::Playing());
    EXPECT_TRUE(Player::Paused());
}

TEST_F(PlayerTest, CanSeekNeedsBothThePlayersWordAndANonNegativeLength) {
    PlayTrack(100.0);
    EXPECT_TRUE(Player::CanSeek()) << "100 s and the player can seek";
    playback().OverrideLength(-1.0);
    EXPECT_FALSE(Player::CanSeek()) << "a negative length cannot be sought even if the player says so";
    playback().OverrideLength(0.0);
    EXPECT_TRUE(Player::CanSeek()) << "a length of 0 leaves the decision to the player";
    playback().OverrideCanSeek(false);
    playback().ResetCallCounts();
    EXPECT_FALSE(Player::CanSeek()) << "the player cannot seek";
    EXPECT_EQ(playback().CallCount("get_now_playing"), 0) << "the length is read only when the player can seek";
}

TEST_F(PlayerTest, EachOperationRunsInsideItsOwnNamedScope) {
    PlayTrack(100.0);
    Player::Playing();
    Player::Paused();
    Player::Volume();
    Player::Volume(100);
    Player::Position();
    Player::Position(100);
    EXPECT_EQ(playback().LastCallScope("is_playing"), "Player::Playing()");
    EXPECT_EQ(playback().LastCallScope("is_paused"), "Player::Paused()");
    EXPECT_EQ(playback().LastCallScope("get_volume"), "Player::Volume()");
    EXPECT_EQ(playback().LastCallScope("set_volume"), "Player::Volume(int)");
    EXPECT_EQ(playback().LastCallScope("playback_get_position"), "Player::Position()");
    EXPECT_EQ(playback().LastCallScope("playback_seek"), "Player::Position(int)");
    Player::CanSeek();
    EXPECT_EQ(playback().LastCallScope("playback_can_seek"), "Player::CanSeek()");
    Player::Length();
    EXPECT_EQ(playback().LastCallScope("get_now_playing"), "Player::Length()");
    EXPECT_EQ(OpenScopeCount(), 0u) << "every scope is closed again";
}

TEST(PlayerWithoutService, MissingPlaybackServiceRaisesTheSdkErrorAndClosesTheScope) {
    InProcessHost stand_in;
    stand_in.host.UnregisterServices(playback_control::class_guid);
    try {
        Player::Playing();
        FAIL() << "expected an exception";
    } catch (const exception_service_not_found& e) {
        EXPECT_STREQ(e.what(), "Service not found");
    }
    EXPECT_EQ(OpenScopeCount(), 0u);
}

TEST_F(PlayerTest, AttachRemembersThePlayersMainWindow) {
    Player::Attach();
    EXPECT_EQ(Player::MainWindow(), stand_in.host.MainWindow());
    EXPECT_NE(Player::MainWindow(), nullptr);
}

} // namespace
