// The message window of an elevated player must still hear the shell's "TaskbarCreated": the
// message filter lets it in, where the system has such a filter (looked up at run time).
#include "controller/Trelvane.h"
#include "controller/message_filter.h"
#include "tests/support/iat_hook.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_tray.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

struct FilterCall {
    HWND window;
    UINT message;
    DWORD action;
    bool operator==(const FilterCall& other) const {
        return window == other.window && message == other.message && action == other.action;
    }
};
std::vector<FilterCall> filterCalls;
BOOL filterAnswer = TRUE;
bool systemHasFilter = true;
IatHook* lookupHook = nullptr;

BOOL WINAPI RecordFilterChange(HWND window, UINT message, DWORD action, void*) {
    filterCalls.push_back(FilterCall{window, message, action});
    return filterAnswer;
}

// GetProcAddress as on a system with or without ChangeWindowMessageFilterEx.
FARPROC WINAPI LookUp(HMODULE module, LPCSTR name) {
    if (!IS_INTRESOURCE(name) && std::strcmp(name, "ChangeWindowMessageFilterEx") == 0)
        return systemHasFilter ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordFilterChange)) : nullptr;
    return OriginalOf<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(*lookupHook)(module, name);
}

class MessageFilter : public testing::Test {
protected:
    void SetUp() override {
        lookupHook = &hook;
        ASSERT_TRUE(hook.Installed());
        filterCalls.clear();
        filterAnswer = TRUE;
        systemHasFilter = true;
    }
    IatHook hook{GetModuleHandleW(nullptr), "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&LookUp)};
};

const DWORD kAllow = 1; // MSGFLT_ALLOW

TEST_F(MessageFilter, LetsTheMessageInAndReportsTheSystemsAnswer) {
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    EXPECT_TRUE(LetMessageThrough(window, 0xC123)) << "the system agrees";
    filterAnswer = FALSE;
    EXPECT_FALSE(LetMessageThrough(window, 0xC123)) << "the system refuses";
    EXPECT_EQ(filterCalls, (std::vector<FilterCall>{{window, 0xC123, kAllow}, {window, 0xC123, kAllow}}));
}

TEST_F(MessageFilter, WithoutAFilterOrWithoutAWindowNothingIsCalled) {
    systemHasFilter = false;
    EXPECT_TRUE(LetMessageThrough(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), 0xC123))
        << "nothing to let through";
    systemHasFilter = true;
    EXPECT_FALSE(LetMessageThrough(nullptr, 0xC123));
    EXPECT_FALSE(LetMessageThrough(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), 0));
    EXPECT_TRUE(filterCalls.empty());
}

TEST_F(MessageFilter, TheControllersMessageWindowHearsTaskbarCreated) {
    InProcessHost host;
    ShellTray tray;
    Trelvane::Instance().onInit();
    const FilterCall want = {Trelvane::Instance().MessageWindow(), RegisterWindowMessageW(L"TaskbarCreated"), kAllow};
    EXPECT_NE(want.window, nullptr);
    EXPECT_EQ(filterCalls, std::vector<FilterCall>{want});
    Trelvane::Instance().onQuit();
}

} // namespace
