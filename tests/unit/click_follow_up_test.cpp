// The shell's notices after a click, told from the same notices sent for a key, by their order
// alone: each row is what the shell sent, and which of its notices are a key's.
#include "tray/click_follow_up.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Row {
    const char* name;
    std::vector<UINT> messages;
    std::string keys; // one letter per notice in `messages`: k a key's, c a click's
};

const Row kRows[] = {
    {"a select notice alone", {NIN_SELECT}, "k"},
    {"a context-menu message alone", {WM_CONTEXTMENU}, "k"},
    {"a left click, its notice, then a key", {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, NIN_SELECT}, "ck"},
    {"a right click, its menu, then the menu key", {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, WM_CONTEXTMENU}, "ck"},
    {"a left release does not answer a context-menu message", {WM_LBUTTONUP, WM_CONTEXTMENU, NIN_SELECT}, "kc"},
    {"a double click: each release has its notice",
     {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP, NIN_SELECT}, "cc"},
    {"a press after a release whose notice never came", {WM_LBUTTONUP, WM_LBUTTONDOWN, NIN_SELECT}, "k"},
    {"moves between the release and its notice", {WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSEMOVE, NIN_SELECT}, "c"},
};

TEST(ClickFollowUp, NoticesAreAClicksOnlyRightAfterItsRelease) {
    for (const Row& row : kRows) {
        ClickFollowUp followUp;
        std::string keys;
        for (UINT message : row.messages) {
            if (message == NIN_SELECT || message == WM_CONTEXTMENU) keys += followUp.AnswersRelease(message) ? 'c' : 'k';
            else followUp.MouseMessage(message);
        }
        EXPECT_EQ(keys, row.keys) << row.name;
    }
}

TEST(ClickFollowUp, OneKeyPressToldTwiceIsOnePress) {
    ClickFollowUp followUp;
    const DWORD start = GetTickCount();
    EXPECT_TRUE(followUp.NewKeyPress(start));
    EXPECT_FALSE(followUp.NewKeyPress(start + 99)) << "within 100 ms: the same press";
    EXPECT_TRUE(followUp.NewKeyPress(start + 250));
    EXPECT_TRUE(followUp.NewKeyPress(start + 250 + 60000)) << "a minute later";
}

} // namespace
