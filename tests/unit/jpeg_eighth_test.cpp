// Reading a JPEG from its block means: the layouts covers come in, restart markers, and files
// that are damaged or not this reader's.
#include "base/jpeg_eighth.h"
#include "tests/support/encoded_picture.h"

#include <gtest/gtest.h>

namespace {

uint32_t At(const JpegEighth::Picture& p, int x, int y) { return p.argb[static_cast<size_t>(y) * p.width + x]; }

constexpr long long kNoLimit = 1LL << 30;

// The kept pictures: 70 x 50, four areas split at x = 32 and y = 16 (make.sh).
const char* const kKeptJpegs[] = {"areas-420.jpg", "areas-420-progressive.jpg", "areas-422.jpg", "areas-grey.jpg"};

TEST(JpegEighth, EachLayoutGivesTheColoursOfItsAreas) {
    struct Case {
        const char* file;
        uint32_t topLeft, topRight, bottomLeft, bottomRight;
    };
    const uint32_t colours[] = {0xFFC03020, 0xFF20A040, 0xFF2040C0, 0xFFE0E0E0};
    // The grey file holds the colours' Rec. 709 lumas: 0.2126 R + 0.7152 G + 0.0722 B.
    const uint32_t lumas[] = {0xFF4D4D4D, 0xFF7E7E7E, 0xFF424242, 0xFFE0E0E0};
    for (const char* file : kKeptJpegs) {
        const std::vector<char> bytes = KeptPicture(file);
        ASSERT_FALSE(bytes.empty()) << file;
        JpegEighth::Picture eighth;
        ASSERT_TRUE(JpegEighth::Decode(bytes.data(), bytes.size(), kNoLimit, eighth)) << file;
        EXPECT_EQ(9, eighth.width) << file << ": 70 / 8, rounded up";
        EXPECT_EQ(7, eighth.height) << file << ": 50 / 8, rounded up";
        const uint32_t* expected = std::string(file) == "areas-grey.jpg" ? lumas : colours;
        // A block inside each area; the last one lies in the picture's unfinished last blocks.
        const int spots[4][2] = {{1, 0}, {7, 0}, {1, 5}, {8, 6}};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(NearColour(At(eighth, spots[i][0], spots[i][1]), expected[i], 3))
                << file << " area " << i << ": " << std::hex << At(eighth, spots[i][0], spots[i][1]);
    }
}

// A 16 x 8 grey picture made by hand: two blocks, a restart marker between them, first
// coefficients +40 and -24 with a quantiser of 8, so means of 128 + 40 and 128 - 24.
std::vector<char> TwoBlocksWithARestart(bool withMarker) {
    std::vector<unsigned char> bytes = {
        0xFF, 0xD8,                                                     // start of image
        0xFF, 0xDB, 0x00, 0x43, 0x00, 8,                                // quantisers: 8, then 63 ones
    };
    bytes.insert(bytes.end(), 63, 1);
    const unsigned char rest[] = {
        0xFF, 0xC0, 0x00, 0x0B, 8, 0x00, 8, 0x00, 16, 1, 1, 0x11, 0, // frame: 16 x 8, one component
        // First coefficients: sizes 5 and 6 as codes 00 and 01.
        0xFF, 0xC4, 0x00, 0x15, 0x00, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6,
        // The others: only the end of a block, as code 0.
        0xFF, 0xC4, 0x00, 0x14, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00,
        0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01,                             // a restart after every block
        0xFF, 0xDA, 0x00, 0x08, 1, 1, 0x00, 0, 63, 0,                  // the scan
        0x68, 0x7F, // 01 101000 0 (+40, end of block), ones to the byte's end
    };
    bytes.insert(bytes.end(), std::begin(rest), std::end(rest));
    if (withMarker) bytes.insert(bytes.end(), {0xFF, 0xD0});
    bytes.insert(bytes.end(), {0x0E, 0xFF, 0xD9}); // 00 00111 0: -24 from a predictor started afresh
    return std::vector<char>(bytes.begin(), bytes.end());
}

TEST(JpegEighth, ARestartMarkerStartsThePredictionAfresh) {
    const std::vector<char> bytes = TwoBlocksWithARestart(true);
    JpegEighth::Picture eighth;
    ASSERT_TRUE(JpegEighth::Decode(bytes.data(), bytes.size(), kNoLimit, eighth));
    ASSERT_EQ(2, eighth.width);
    EXPECT_EQ(0xFFA8A8A8u, At(eighth, 0, 0));
    EXPECT_EQ(0xFF686868u, At(eighth, 1, 0)) << "-24 on its own, not 40 - 24";
    const std::vector<char> unmarked = TwoBlocksWithARestart(false);
    EXPECT_FALSE(JpegEighth::Decode(unmarked.data(), unmarked.size(), kNoLimit, eighth)) << "a restart marker missing";
}

TEST(JpegEighth, FilesOfOtherKindsOrTooLargeAreNotTaken) {
    const std::vector<char> kept = KeptPicture("areas-420.jpg");
    JpegEighth::Picture eighth;
    int width = 0, height = 0;
    struct Change {
        size_t offsetFromFrame;
        char value;
        const char* what;
    };
    const size_t frame = std::string(kept.begin(), kept.end()).find("\xFF\xC0");
    ASSERT_NE(std::string::npos, frame);
    const Change changes[] = {{1, char(0xC9), "arithmetic coding"}, {4, 12, "12-bit samples"}, {9, 4, "four components"}};
    for (const Change& change : changes) {
        std::vector<char> bytes = kept;
        bytes[frame + change.offsetFromFrame] = change.value;
        EXPECT_FALSE(JpegEighth::FrameSize(bytes.data(), bytes.size(), width, height)) << change.what;
        EXPECT_FALSE(JpegEighth::Decode(bytes.data(), bytes.size(), kNoLimit, eighth)) << change.what;
        EXPECT_TRUE(eighth.argb.empty()) << change.what;
    }
    std::vector<char> huge = kept;
    AnnounceJpegSize(huge, 8000, 6000);
    ASSERT_TRUE(JpegEighth::FrameSize(huge.data(), huge.size(), width, height));
    EXPECT_EQ(8000, width);
    EXPECT_EQ(6000, height);
    EXPECT_FALSE(JpegEighth::Decode(huge.data(), huge.size(), 40000000, eighth)) << "48 megapixels, over the limit";
}

// Cut short anywhere, or with bytes changed at random: never a crash or a read past the end, and
// whatever is taken has the picture's size.
TEST(JpegEighth, DamagedFilesNeverBreakTheReader) {
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    for (const char* file : kKeptJpegs) {
        const std::vector<char> kept = KeptPicture(file);
        // The sequential file's blocks all lie in its one scan: cut two bytes into it or earlier,
        // it is not taken (the system decoder then shows what it can).
        const bool sequential = std::string(file) == "areas-420.jpg";
        for (size_t length = 0; length < kept.size(); ++length) {
            const std::vector<char> cut(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(length));
            JpegEighth::Picture eighth;
            const bool taken = JpegEighth::Decode(cut.data(), cut.size(), kNoLimit, eighth);
            EXPECT_EQ(taken ? 63u : 0u, eighth.argb.size()) << file << " cut at " << length;
            EXPECT_FALSE(sequential && length + 4 <= kept.size() && taken) << file << " cut at " << length;
        }
        for (int round = 0; round < 3000; ++round) {
            std::vector<char> bytes = kept;
            for (uint32_t changes = 1 + next() % 3; changes > 0; --changes)
                bytes[2 + next() % (bytes.size() - 2)] = static_cast<char>(next());
            JpegEighth::Picture eighth;
            if (JpegEighth::Decode(bytes.data(), bytes.size(), kNoLimit, eighth)) {
                EXPECT_EQ(static_cast<size_t>(eighth.width) * eighth.height, eighth.argb.size())
                    << file << " round " << round;
            }
        }
    }
}

} // namespace
