// The card's arithmetic: where it goes for each taskbar edge and monitor, what the slider's steps
// stand for on a 4:05 track and on the volume slider, and texts shortened to a width.
#include "base/text_fit.h"
#include "controller/card_text.h"
#include "tray/card_placement.h"

#include <gtest/gtest.h>

namespace {

constexpr SIZE kCard = {300, 100};
constexpr int kGap = 8;

struct PlacementCase {
    const char* name;
    RECT strip, work;
    POINT expected;
};

// resource values typed: none here; the numbers are screen pixels typed by hand.
TEST(CardPlacement, FollowsTheTaskbarEdgeStaysInTheWorkAreaAndOffTheStrip) {
    // Typed by hand: card 300 x 100, 8 pixels from the strip, centred on it where the work area allows.
    const PlacementCase kPlacements[] = {
        {"taskbar at the bottom", {1800, 1052, 1840, 1068}, {0, 0, 1920, 1040}, {1620, 940}},
        {"taskbar at the top", {1800, 12, 1840, 28}, {0, 40, 1920, 1080}, {1620, 40}},
        {"taskbar at the left", {10, 1000, 42, 1016}, {60, 0, 1920, 1080}, {60, 958}},
        {"taskbar at the right", {1870, 1000, 1902, 1016}, {0, 0, 1860, 1080}, {1560, 958}},
        {"secondary monitor left of the primary", {-100, 994, -68, 1010}, {-1280, 0, 0, 984}, {-300, 884}},
        {"secondary monitor above, left end of its taskbar", {4, -20, 36, -4}, {0, -1024, 1280, -30}, {0, -130}},
        {"tray inside the work area at its top", {900, 2, 940, 18}, {0, 0, 1024, 768}, {724, 26}},
        {"tray inside the work area at its bottom", {900, 740, 940, 756}, {0, 0, 1024, 768}, {724, 632}},
    };
    for (const PlacementCase& c : kPlacements) {
        const POINT at = CardPlacement::Place(kCard, c.strip, c.work, kGap);
        EXPECT_EQ(c.expected.x, at.x) << c.name;
        EXPECT_EQ(c.expected.y, at.y) << c.name;
        const RECT card = {at.x, at.y, at.x + kCard.cx, at.y + kCard.cy};
        RECT overlap = {};
        EXPECT_FALSE(IntersectRect(&overlap, &card, &c.strip)) << c.name;
    }
}

TEST(CardText, ClockAndTimeline) {
    EXPECT_EQ(L"0:00", CardText::Clock(0));
    EXPECT_EQ(L"0:00", CardText::Clock(-5));
    EXPECT_EQ(L"0:59", CardText::Clock(59999));
    EXPECT_EQ(L"1:23", CardText::Clock(83000));
    EXPECT_EQ(L"59:59", CardText::Clock(3599999));
    EXPECT_EQ(L"1:00:00", CardText::Clock(3600000));
    EXPECT_EQ(L"1:02:03", CardText::Clock(3723000));
    EXPECT_EQ(L"1:23 / 4:05", CardText::Timeline(83000, 245000));
    EXPECT_EQ(L"1:06:40 / 2:00:00", CardText::Timeline(4000000, 7200000));
    EXPECT_EQ(L"live", CardText::Timeline(5000, 0));
    EXPECT_EQ(L"live", CardText::Timeline(5000, -1));
}

// A 4:05 track: step s of 24 seeks to 245000 x s / 24 milliseconds, truncated; shown in whole seconds.
TEST(CardText, EachSliderStepOfAFourMinuteFiveTrack) {
    const wchar_t* const kTimes[25] = {L"0:00", L"0:10", L"0:20", L"0:30", L"0:40", L"0:51", L"1:01", L"1:11", L"1:21",
                                       L"1:31", L"1:42", L"1:52", L"2:02", L"2:12", L"2:22", L"2:33", L"2:43", L"2:53",
                                       L"3:03", L"3:13", L"3:24", L"3:34", L"3:44", L"3:54", L"4:05"};
    for (int step = 0; step <= 24; ++step)
        EXPECT_EQ(kTimes[step], CardText::Clock(CardText::SeekTimeAtStep(step, 24, 245000))) << step;
    EXPECT_EQ(122500, CardText::SeekTimeAtStep(12, 24, 245000));
    EXPECT_EQ(51041, CardText::SeekTimeAtStep(5, 24, 245000)); // 51041.67, truncated as the slider does
    EXPECT_EQ(0, CardText::SeekTimeAtStep(12, 24, 0));
}

// Level = step x 255 / 24 truncated; decibels 1 - 10^((255 - level) / 140), the floor -100.
TEST(CardText, VolumeSliderSteps) {
    const struct {
        int step;
        const wchar_t* text;
    } kSteps[] = {{0, L"-100.0 dB"}, {1, L"-55.2 dB"}, {6, L"-22.5 dB"}, {12, L"-7.2 dB"},
                  {18, L"-1.9 dB"},  {23, L"-0.2 dB"}, {24, L"0.0 dB"}};
    for (const auto& s : kSteps) EXPECT_EQ(s.text, CardText::VolumeAtStep(s.step, 24)) << s.step;
}

int TenPixelsEach(const std::wstring& text) { return static_cast<int>(text.size()) * 10; }

TEST(TextFit, EllipsisWhereTooLongNeverSplittingAPair) {
    EXPECT_EQ(L"Hello world", FitWithEllipsis(L"Hello world", 110, TenPixelsEach));
    EXPECT_EQ(L"Hello\x2026", FitWithEllipsis(L"Hello world", 60, TenPixelsEach));
    EXPECT_EQ(L"Hello\x2026", FitWithEllipsis(L"Hello world", 69, TenPixelsEach));
    EXPECT_EQ(L"", FitWithEllipsis(L"Hello world", 5, TenPixelsEach));
    EXPECT_EQ(L"ab\x2026", FitWithEllipsis(L"ab\xD83C\xDFB5"
                                           L"cd",
                                           40, TenPixelsEach));
    const std::wstring huge(65536, L'x');
    EXPECT_EQ(std::wstring(29, L'x') + L"\x2026", FitWithEllipsis(huge, 300, TenPixelsEach));
}

TEST(TextFit, RightToLeftByTheFirstStrongLetter) {
    EXPECT_TRUE(ReadsRightToLeft(L"\x05E9\x05DC\x05D5\x05DD"));
    EXPECT_TRUE(ReadsRightToLeft(L"1999 - \x0645\x0631\x062D\x0628\x0627"));
    EXPECT_FALSE(ReadsRightToLeft(L"Abc \x05E9"));
    EXPECT_FALSE(ReadsRightToLeft(L""));
}

} // namespace
