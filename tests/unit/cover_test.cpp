// The cover: decoding from a JPEG's block means or through the Windows Imaging Component, with its
// refusals, the area filter that shrinks it, and the player's cover loader as the component sees it.
#include "player/now_playing_cover.h"
#include "base/jpeg_eighth.h"
#include "sdk/album_art.h"
#include "tests/support/encoded_picture.h"
#include "tests/support/in_process_host.h"
#include "tray/cover_decoder.h"
#include "tray/cover_image.h"

#include <gtest/gtest.h>
#include <wincodec.h>
#include <algorithm>
#include <cstdlib>

namespace {

using Outcome = CoverImage::Outcome;

uint32_t Middle(const Pixels& p) { return p.argb[static_cast<size_t>(p.height / 2) * p.width + p.width / 2]; }

// #CC3311 saved by ImageMagick as an 8 x 8 CMYK JPEG (Adobe inverted CMYK).
const unsigned char kCmykJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xEE, 0x00, 0x0E, 0x41, 0x64, 0x6F, 0x62, 0x65, 0x00, 0x64, 0x00, 0x00, 0x00, 0x00, 0x02, 0xFF,
    0xDB, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03, 0x03, 0x03, 0x03, 0x04, 0x03, 0x03, 0x04, 0x05,
    0x08, 0x05, 0x05, 0x04, 0x04, 0x05, 0x0A, 0x07, 0x07, 0x06, 0x08, 0x0C, 0x0A, 0x0C, 0x0C, 0x0B, 0x0A, 0x0B, 0x0B,
    0x0D, 0x0E, 0x12, 0x10, 0x0D, 0x0E, 0x11, 0x0E, 0x0B, 0x0B, 0x10, 0x16, 0x10, 0x11, 0x13, 0x14, 0x15, 0x15, 0x15,
    0x0C, 0x0F, 0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x03, 0x04, 0x04,
    0x05, 0x04, 0x05, 0x09, 0x05, 0x05, 0x09, 0x14, 0x0D, 0x0B, 0x0D, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0xFF, 0xC0, 0x00, 0x14, 0x08, 0x00, 0x08, 0x00, 0x08, 0x04, 0x01, 0x11, 0x00, 0x02, 0x11,
    0x01, 0x03, 0x11, 0x01, 0x04, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x08, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4, 0x00, 0x15, 0x01,
    0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x09, 0xFF,
    0xC4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xFF, 0xDA, 0x00, 0x0E, 0x04, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x04, 0x00, 0x00, 0x3F, 0x00, 0x74,
    0x90, 0x4F, 0x75, 0x96, 0xFF, 0xD9,
};

TEST(CoverImage, OneColouredPicturesKeepTheirColourAndFitTheSquare) {
    const std::vector<char> jpeg = SolidPicture(GUID_ContainerFormatJpeg, 300, 200, 0x2E8B57);
    ASSERT_FALSE(jpeg.empty());
    Pixels out;
    ASSERT_EQ(Outcome::Decoded, CoverImage::Decode(jpeg.data(), jpeg.size(), 64, out));
    EXPECT_EQ(64, out.width) << "JPEG 300 x 200";
    EXPECT_EQ(42, out.height) << "JPEG 300 x 200: 200 x 64 / 300, truncated";
    EXPECT_TRUE(NearColour(Middle(out), 0xFF2E8B57, 6)) << "JPEG: " << std::hex << Middle(out);

    const std::vector<char> png = SolidPicture(GUID_ContainerFormatPng, 50, 40, 0x102030);
    ASSERT_EQ(Outcome::Decoded, CoverImage::Decode(png.data(), png.size(), 64, out));
    EXPECT_EQ(50, out.width) << "PNG 50 x 40, smaller than the square: kept";
    EXPECT_EQ(40, out.height) << "PNG 50 x 40";
    EXPECT_EQ(0xFF102030u, Middle(out)) << "PNG";

    ASSERT_EQ(Outcome::Decoded, CoverImage::Decode(kCmykJpeg, sizeof(kCmykJpeg), 64, out));
    EXPECT_TRUE(NearColour(Middle(out), 0xFFCC3311, 16)) << "CMYK: " << std::hex << Middle(out);
}

// A JPEG of at least eight times the square's size is read from its block means alone: it shows
// the whole picture shrunk, within a few levels.
TEST(CoverImage, ALargeJpegReadFromItsBlockMeansLooksLikeTheWholePictureShrunk) {
    const int wide = 1024, high = 768; // not a resource id: pixels
    const std::vector<char> jpeg = BusyPicture(GUID_ContainerFormatJpeg, wide, high);
    JpegEighth::Picture eighth;
    ASSERT_TRUE(JpegEighth::Decode(jpeg.data(), jpeg.size(), CoverImage::kMaxPixels, eighth)) << "the quick route takes it";
    Pixels quick, whole;
    ASSERT_EQ(Outcome::Decoded, CoverImage::Decode(jpeg.data(), jpeg.size(), 64, quick));
    ASSERT_EQ(Outcome::Decoded, CoverImage::Decode(jpeg.data(), jpeg.size(), wide, whole)) << "the system decoder's";
    const Pixels shrunk = ScaleArea(whole, 64, 48);
    ASSERT_EQ(64, quick.width);
    ASSERT_EQ(48, quick.height);
    int worst = 0;
    long long total = 0;
    for (size_t i = 0; i < quick.argb.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int difference = std::abs(int((quick.argb[i] >> shift) & 0xFF) - int((shrunk.argb[i] >> shift) & 0xFF));
            worst = std::max(worst, difference);
            total += difference;
        }
    EXPECT_LE(worst, 12) << "the largest difference of a colour level";
    EXPECT_LE(double(total) / (64 * 48 * 3), 2.0) << "the mean difference of a colour level";
}

TEST(CoverImage, BadFilesGiveNoPicture) {
    Pixels out;
    EXPECT_EQ(Outcome::Empty, CoverImage::Decode(nullptr, 0, 64, out));
    const char nothing[1] = {};
    EXPECT_EQ(Outcome::Empty, CoverImage::Decode(nothing, 0, 64, out));
    const char text[] = "not a picture at all, only words";
    EXPECT_EQ(Outcome::Undecodable, CoverImage::Decode(text, sizeof(text), 64, out));
    std::vector<char> png = SolidPicture(GUID_ContainerFormatPng, 50, 40, 0x102030);
    png.resize(png.size() / 2);
    EXPECT_EQ(Outcome::Undecodable, CoverImage::Decode(png.data(), png.size(), 64, out)) << "a PNG cut in half";
    EXPECT_TRUE(out.argb.empty());

    // A bitmap's headers announcing 8000 x 6000 pixels (48 megapixels), with no pixels after them.
    std::vector<char> huge(54);
    BITMAPFILEHEADER file = {0x4D42, 54 + 8000u * 3 * 6000, 0, 0, 54};
    BITMAPINFOHEADER info = {40, 8000, 6000, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    memcpy(huge.data(), &file, 14);
    memcpy(huge.data() + 14, &info, 40);
    EXPECT_EQ(Outcome::TooLarge, CoverImage::Decode(huge.data(), huge.size(), 64, out));
    std::vector<char> hugeJpeg = SolidPicture(GUID_ContainerFormatJpeg, 64, 64, 0x102030);
    AnnounceJpegSize(hugeJpeg, 8000, 6000);
    EXPECT_EQ(Outcome::TooLarge, CoverImage::Decode(hugeJpeg.data(), hugeJpeg.size(), 64, out))
        << "a JPEG's header announcing 48 megapixels";
}

// Each target pixel is the mean of the source pixels under it.
// The decoding thread: the newest cover wins over one still being decoded, a cancelled one
// never arrives, and bad bytes arrive as what they are.
TEST(CoverDecoder, TheNewestRequestWinsAndACancelledOneNeverArrives) {
    auto bytes = [](std::vector<char> picture) { return std::make_shared<const std::vector<char>>(picture); };
    auto wait = [](CoverDecoder& decoder, Outcome& outcome, Pixels& out) {
        for (int i = 0; i < 2000 && !decoder.TakeResult(outcome, out); ++i) Sleep(5); // not a resource id: ms
    };
    CoverDecoder decoder;
    Outcome outcome = Outcome::Empty;
    Pixels out;
    EXPECT_FALSE(decoder.Pending()) << "nothing asked";
    // A large PNG goes through the system decoder: a tenth of a second and more.
    const auto large = bytes(SolidPicture(GUID_ContainerFormatPng, 3000, 3000, 0xCC3311));
    ASSERT_TRUE(decoder.Request(large, 64, nullptr, 0)) << "the large cover, overtaken";
    Sleep(30); // the thread is decoding it when the next comes
    ASSERT_TRUE(decoder.Request(bytes(SolidPicture(GUID_ContainerFormatPng, 30, 30, 0x102030)), 64, nullptr, 0));
    EXPECT_TRUE(decoder.Pending()) << "two asked";
    wait(decoder, outcome, out);
    ASSERT_EQ(Outcome::Decoded, outcome) << "the newest cover";
    EXPECT_EQ(0xFF102030u, Middle(out)) << "the second cover, not the first";
    EXPECT_FALSE(decoder.Pending()) << "the newest cover taken";

    ASSERT_TRUE(decoder.Request(large, 64, nullptr, 0)) << "the large cover, cancelled";
    Sleep(30);
    decoder.Cancel();
    decoder.WaitIdle();
    EXPECT_FALSE(decoder.TakeResult(outcome, out));
    EXPECT_FALSE(decoder.Pending()) << "after the cancel";

    ASSERT_TRUE(decoder.Request(bytes(std::vector<char>(100, 'x')), 64, nullptr, 0));
    wait(decoder, outcome, out);
    EXPECT_EQ(Outcome::Undecodable, outcome) << "bad bytes";
    EXPECT_TRUE(out.argb.empty());
}

TEST(CoverScale, AreaMeanAndFit) {
    Pixels checker;
    checker.width = 4;
    checker.height = 2;
    checker.argb = {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    const Pixels grey = ScaleArea(checker, 2, 1);
    EXPECT_EQ((std::vector<uint32_t>{0xFF808080, 0xFF808080}), grey.argb);
    int w = 0, h = 0;
    FitInSquare(3000, 1000, 64, w, h); // not a resource id: pixels
    EXPECT_EQ(64, w) << "a wide picture";
    EXPECT_EQ(21, h) << "a wide picture";
    FitInSquare(1, 5000, 64, w, h);
    EXPECT_EQ(1, w) << "a picture one pixel wide";
    EXPECT_EQ(64, h) << "a picture one pixel wide";
}

// The stand-in's loader looks beside the track, a moment after it started, as the player does.
class PlayerCovers : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"trelvane-covers-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        cover = SolidPicture(GUID_ContainerFormatJpeg, 40, 40, 0xAA0000);
        ASSERT_TRUE(WriteBytes(folder + L"\\cover.jpg", cover));
        const std::string path(folder.begin(), folder.end());
        standIn.playback().SetPlaylist({FileTrack(100, (path + "\\a.flac").c_str()),
                                        FileTrack(100, (path + "\\b.flac").c_str()),
                                        FileTrack(100, "C:\\Elsewhere\\c.flac")});
    }
    void TearDown() override {
        NowPlayingCover::StopWatching();
        DeleteFileW((folder + L"\\cover.jpg").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    bool Watch() {
        return NowPlayingCover::Watch([this](const void* data, size_t size) {
            sizes.push_back(size);
            firstBytes = std::string(static_cast<const char*>(data), size > 2 ? 2 : size);
        });
    }

    InProcessHost standIn;
    std::wstring folder;
    std::vector<char> cover;
    std::vector<size_t> sizes;
    std::string firstBytes;
};

TEST_F(PlayerCovers, EachTrackBringsItsCoverOnceAndATrackWithoutOneBringsNone) {
    ASSERT_TRUE(Watch());
    standIn.playback().Play();
    EXPECT_TRUE(sizes.empty()) << "the loader reports later, not during the start";
    fb2k_host::PumpMessagesUntil([&] { return !sizes.empty(); }, 2000);
    fb2k_host::PumpMessagesFor(200);
    ASSERT_EQ(1u, sizes.size()) << "the first track";
    EXPECT_EQ(cover.size(), sizes[0]);
    EXPECT_EQ("\xFF\xD8", firstBytes) << "the file's bytes, a JPEG";
    standIn.playback().Next();
    fb2k_host::PumpMessagesFor(300);
    EXPECT_EQ(2u, sizes.size()) << "the second track";
    standIn.playback().Next();
    fb2k_host::PumpMessagesFor(300);
    EXPECT_EQ(2u, sizes.size()) << "no cover beside the third track";
}

TEST_F(PlayerCovers, APlayerWithoutTheLoaderLeavesEveryTrackWithoutACover) {
    standIn.host.UnregisterServices(now_playing_album_art_notify_manager::class_guid);
    EXPECT_FALSE(Watch());
    standIn.playback().Play();
    fb2k_host::PumpMessagesFor(300);
    EXPECT_TRUE(sizes.empty());
}

} // namespace
