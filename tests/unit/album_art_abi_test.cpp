#include "sdk/album_art.h"
#include "tests/support/vtable_slot.h"

#include "tests/support/guid_text.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <string>

namespace {

std::string Text(const GUID& g) { return GuidText(g); }

struct Slot {
    const char* name;
    long actual, expected;
};

TEST(AlbumArtAbi, GuidsAndSlots) {
    EXPECT_EQ(Text(now_playing_album_art_notify_manager::class_guid), "79A1AAB7-B1A1-463C-B886-32B67956D9D2");
    EXPECT_EQ(Text(album_art_data::class_guid), "9DDCE05C-AA3F-4565-B33A-BD6ADCDD9037");
    const Slot slots[] = {
        {"now_playing_album_art_notify_manager::add", VtableSlot(&now_playing_album_art_notify_manager::add), 3},
        {"now_playing_album_art_notify_manager::remove", VtableSlot(&now_playing_album_art_notify_manager::remove), 4},
        {"now_playing_album_art_notify_manager::current", VtableSlot(&now_playing_album_art_notify_manager::current),
         5},
        {"now_playing_album_art_notify::on_album_art", VtableSlot(&now_playing_album_art_notify::on_album_art), 0},
        {"album_art_data::data", VtableSlot(&album_art_data::data), 3},
        {"album_art_data::size", VtableSlot(&album_art_data::size), 4},
    };
    for (const Slot& slot : slots) EXPECT_EQ(slot.expected, slot.actual) << slot.name;
    EXPECT_EQ(sizeof(void*), sizeof(service_by_value<album_art_data>));
}

} // namespace
