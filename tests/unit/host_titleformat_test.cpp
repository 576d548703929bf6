// The stand-in player's title formatting, as far as the component's patterns use it.
#include "host/titleformat.h"

#include <gtest/gtest.h>

namespace {

using fb2k_host::TrackInfo;

std::string Format(const char* pattern, const TrackInfo& track) {
    service_ptr_t<titleformat_object> script;
    if (!fb2k_host::MakeTitleformatCompiler()->compile(script, pattern)) return "<does not compile>";
    return fb2k_host::FormatTrack(script.get_ptr(), track);
}

TrackInfo Tagged() {
    TrackInfo t;
    t.path = "C:\\Music\\Some Band - 03 - Song.mp3";
    t.length = 201.4;
    t.meta = {{"artist", "Some Band"}, {"title", "Song"}, {"album", "Record"}, {"tracknumber", "03"}};
    return t;
}

TrackInfo Untagged() {
    TrackInfo t;
    t.path = "C:\\Music\\untitled take.wav";
    t.length = 12;
    return t;
}

TEST(HostTitleformat, OptionalBlocksShowOnlyWhenAFieldInsideHasAValue) {
    EXPECT_EQ(Format("[%artist% - ]%title%", Tagged()), "Some Band - Song");
    EXPECT_EQ(Format("[%artist% - ]%title%", Untagged()), "untitled take");
    EXPECT_EQ(Format("[%album%]|[%genre%]", Tagged()), "Record|");
    EXPECT_EQ(Format("%genre%", Tagged()), "?");
}

TEST(HostTitleformat, FileFieldsAndLength) {
    EXPECT_EQ(Format("%filename%", Tagged()), "Some Band - 03 - Song");
    EXPECT_EQ(Format("%_filename_ext%", Tagged()), "Some Band - 03 - Song.mp3");
    EXPECT_EQ(Format("%_length%", Tagged()), "3:21");
}

TEST(HostTitleformat, FunctionsAndQuotedText) {
    const char* balloonTitle = "$if(%title%,[%tracknumber% - ]%title%,%_filename%)";
    EXPECT_EQ(Format(balloonTitle, Tagged()), "03 - Song");
    EXPECT_EQ(Format("$if2(%genre%,none)", Tagged()), "none");
    EXPECT_EQ(Format("$upper(%title%)", Tagged()), "SONG");
    EXPECT_EQ(Format("'%title%' is ''quoted''", Tagged()), "%title% is 'quoted'");
    EXPECT_EQ(Format("$nosuch(1)", Tagged()), "[UNKNOWN FUNCTION]");
}

TEST(HostTitleformat, UnbalancedPatternsDoNotCompile) {
    for (const char* broken : {"[%artist%", "%title", "$if(%title%,a", "a]b", "'open", "x)"})
        EXPECT_EQ(Format(broken, Tagged()), "<does not compile>") << broken;
    EXPECT_EQ(Format("", Tagged()), "");
}

} // namespace
