// Balloon texts from title-formatting patterns, evaluated by the player for the playing track.
#include "tests/support/call_stack.h"
#include "player/Player.h"
#include "sdk/titleformat.h"
#include "tests/support/in_process_host.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Passes patterns on to the player's compiler and remembers them.
class RecordingCompiler : public titleformat_compiler {
public:
    service_ptr_t<titleformat_compiler> real;
    std::vector<std::string> patterns;
    bool refuseAll = false;
    bool compile(service_ptr_t<titleformat_object>& out, const char* pattern) override {
        patterns.push_back(pattern);
        return !refuseAll && real->compile(out, pattern);
    }
};

class FormatTitleTest : public testing::Test {
protected:
    FormatTitleTest() : recorder(new service_impl_t<RecordingCompiler>()), recorderRef(recorder) {
        service_ptr_t<service_base> found;
        standIn.host.CreateService(found, titleformat_compiler::class_guid, 0);
        found.cast(recorder->real);
        standIn.host.UnregisterServices(titleformat_compiler::class_guid);
        standIn.host.RegisterService(titleformat_compiler::class_guid, recorderRef);
    }
    void Play(const fb2k_host::TrackInfo& track) {
        standIn.playback().SetPlaylist({track});
        standIn.playback().Play();
    }
    InProcessHost standIn;
    RecordingCompiler* recorder;
    service_ptr_t<titleformat_compiler> recorderRef;
};

TEST_F(FormatTitleTest, TypedLineBreaksReachThePlayerAsCharacterCodes) {
    Play(FileTrack(100));
    std::wstring text = Player::FormatTitle(L"%artist%\r\n%title%\r\nend");
    ASSERT_FALSE(recorder->patterns.empty());
    EXPECT_EQ(recorder->patterns.front(), "%artist%\r$char(13)%title%\r$char(13)end");
    EXPECT_EQ(text, L"Artist\r\rTitle\r\rend");
}

TEST_F(FormatTitleTest, UnderscoresAndEscapedSpacesReadAsSpaces) {
    Play(FileTrack(100, "C:\\Music\\my_new%20song_.mp3"));
    EXPECT_EQ(Player::FormatTitle(L"%filename%"), L"my new song ");
}

TEST_F(FormatTitleTest, LongResultsAreCutAtTwoHundredUnitsCountingSurrogatesAsTwo) {
    fb2k_host::TrackInfo track = FileTrack(100);
    track.meta["title"] = std::string(250, 'x');
    Play(track);
    std::wstring text = Player::FormatTitle(L"%title%");
    EXPECT_EQ(text, std::wstring(200, L'x'));

    // U+1F3B5 (a musical note) is two UTF-16 units; 150 of them are cut to 100.
    std::string note = "\xF0\x9F\x8E\xB5";
    track.meta["title"].clear();
    for (int i = 0; i < 150; ++i) track.meta["title"] += note;
    Play(track);
    EXPECT_EQ(Player::FormatTitle(L"%title%").size(), 200u);
}

TEST_F(FormatTitleTest, APatternThatDoesNotCompileShowsTheFileName) {
    Play(FileTrack(100, "C:\\Music\\Some Song.flac"));
    EXPECT_EQ(Player::FormatTitle(L"$if(%title%,x"), L"Some Song");
    EXPECT_EQ(recorder->patterns, (std::vector<std::string>{"$if(%title%,x", "%filename%"}));
}

TEST_F(FormatTitleTest, NothingCompilingIsABugCheck) {
    Play(FileTrack(100));
    recorder->refuseAll = true;
    EXPECT_THROW(Player::FormatTitle(L"%title%"), pfc::exception_bug_check_v2);
    EXPECT_EQ(OpenScopeCount(), 0u);
}

TEST_F(FormatTitleTest, NonAsciiTextSurvivesTheRoundTrip) {
    fb2k_host::TrackInfo track = FileTrack(100);
    track.meta["artist"] = "Bj\xC3\xB6rk";
    Play(track);
    EXPECT_EQ(Player::FormatTitle(L"%artist%"), L"Bj\u00F6rk");
}

} // namespace
