// Tray messages that the shell delivers while the strip still handles one before: each row is
// what arrived and inside which handling, and the order the strip handled them in.
#include "tray/tray_message_queue.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Arrival {
    int during;  // arrives while the n-th handled message (1-based) is handled; 0: on its own
    char letter; // d press, u release, s select notice, m move
    UINT icon;
};

struct Row {
    const char* name;
    std::vector<Arrival> arrivals;
    std::string handled; // letter and icon of each message, in the order handled; one handled
                         // inside another's handling would show in brackets
};

const Row kRows[] = {
    {"one after another, nothing waits", {{0, 'd', 0}, {0, 'u', 0}}, "d0 u0"},
    {"a release inside its own press waits for the press", {{0, 'd', 1}, {1, 'u', 1}}, "d1 u1"},
    {"what arrives inside a waiting message's handling keeps its turn",
     {{0, 'd', 0}, {1, 'u', 0}, {2, 's', 0}, {1, 'd', 0}},
     "d0 u0 d0 s0"},
    {"waiting moves over one icon become the last of them",
     {{0, 'd', 0}, {1, 'm', 0}, {1, 'm', 0}, {1, 'm', 1}, {1, 'm', 1}, {1, 'u', 1}, {1, 'm', 1}},
     "d0 m0 m1 u1 m1"},
};

UINT MessageOf(char letter) {
    switch (letter) {
    case 'd': return WM_LBUTTONDOWN;
    case 'u': return WM_LBUTTONUP;
    case 's': return NIN_SELECT;
    default: return WM_MOUSEMOVE;
    }
}

char LetterOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN: return 'd';
    case WM_LBUTTONUP: return 'u';
    case NIN_SELECT: return 's';
    default: return 'm';
    }
}

// Plays a row: the messages that arrive on their own are delivered in turn; the others are
// delivered from inside the handler, as the shell's sent messages are.
std::string Play(const Row& row) {
    TrayMessageQueue queue;
    std::string handled;
    int count = 0, depth = 0;
    TrayMessageQueue::Handler handle = [&](const TrayMessageQueue::Message& m) {
        const std::string name = std::string(1, LetterOf(m.message)) + std::to_string(m.iconId);
        handled += (handled.empty() ? "" : " ") + (depth ? "(" + name + ")" : name);
        const int now = ++count;
        ++depth;
        for (const Arrival& a : row.arrivals)
            if (a.during == now) queue.Deliver({MessageOf(a.letter), a.icon}, handle);
        --depth;
    };
    for (const Arrival& a : row.arrivals)
        if (a.during == 0) queue.Deliver({MessageOf(a.letter), a.icon}, handle);
    return handled;
}

TEST(TrayMessageQueue, MessagesArrivingDuringAHandlingAreHandledAfterItInOrder) {
    for (const Row& row : kRows) EXPECT_EQ(Play(row), row.handled) << row.name;
}

TEST(TrayMessageQueue, AHandlerThatThrowsLeavesTheQueueWorkingAndTheWaitingFirst) {
    TrayMessageQueue queue;
    std::string handled;
    bool thrown = false;
    TrayMessageQueue::Handler handle = [&](const TrayMessageQueue::Message& m) {
        handled += LetterOf(m.message);
        if (m.message == WM_LBUTTONDOWN && !thrown) {
            thrown = true;
            queue.Deliver({WM_LBUTTONUP, 0}, handle);
            throw std::runtime_error("the player's call failed");
        }
    };
    EXPECT_THROW(queue.Deliver({WM_LBUTTONDOWN, 0}, handle), std::runtime_error);
    EXPECT_EQ(queue.Waiting(), 1u) << "the release that came inside the press";
    queue.Deliver({NIN_SELECT, 0}, handle);
    EXPECT_EQ(handled, "dus") << "the waiting release before the new notice";
    EXPECT_EQ(queue.Waiting(), 0u);
}

TEST(TrayMessageQueue, AFloodWhileOneIsHandledKeepsTheNewest) {
    TrayMessageQueue queue;
    std::vector<UINT> icons;
    TrayMessageQueue::Handler handle = [&](const TrayMessageQueue::Message& m) {
        icons.push_back(m.iconId);
        if (icons.size() == 1)
            for (UINT i = 1; i <= 100; ++i) queue.Deliver({WM_LBUTTONDOWN, i}, handle);
    };
    queue.Deliver({WM_LBUTTONDOWN, 0}, handle);
    ASSERT_EQ(icons.size(), 65u) << "the first, then the 64 kept";
    EXPECT_EQ(icons[1], 37u) << "the oldest 36 of 100 went";
    EXPECT_EQ(icons.back(), 100u);
}

} // namespace
