// The shared library's call-stack tracker and its fatal bug check.
#include "sdk/shared/shared.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::wstring ReportPath() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"trelvane-bugcheck-test.txt";
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ThrowInside(const char* scope) {
    uCallStackTracker tracker(scope);
    throw std::runtime_error("boom");
}

TEST(CallStackTracker, ScopesNestAndAreReportedInnermostFirst) {
    ASSERT_EQ(uCallStackTracker_GetDepth(), 0u);
    {
        uCallStackTracker outer("outer");
        {
            uCallStackTracker inner("inner");
            EXPECT_EQ(uCallStackTracker_GetDepth(), 2u);
            EXPECT_STREQ(uCallStackTracker_GetScope(0), "inner");
            EXPECT_STREQ(uCallStackTracker_GetScope(1), "outer");
            EXPECT_EQ(uCallStackTracker_GetScope(2), nullptr);
        }
        EXPECT_EQ(uCallStackTracker_GetDepth(), 1u);
    }
    EXPECT_EQ(uCallStackTracker_GetDepth(), 0u);
}

TEST(CallStackTracker, AnExceptionClosesEveryScopeItPassesThrough) {
    uCallStackTracker outer("outer");
    EXPECT_THROW(ThrowInside("thrower"), std::runtime_error);
    EXPECT_EQ(uCallStackTracker_GetDepth(), 1u);
    EXPECT_STREQ(uCallStackTracker_GetScope(0), "outer");
}

TEST(CallStackTracker, ScopesBelongToTheirThread) {
    uCallStackTracker mine("main thread");
    size_t otherDepth = 99;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID depth) -> DWORD {
            *static_cast<size_t*>(depth) = uCallStackTracker_GetDepth();
            return 0;
        },
        &otherDepth, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(otherDepth, 0u);
}

CHILD_PROCESS_BODY(bug_check) {
    uBugCheck_SetReportPath(ReportPath().c_str());
    uCallStackTracker outer("TVFMainMenuSub::execute(unsigned, service_ptr_t<service_base>)");
    uCallStackTracker inner("Trelvane::onInit()");
    uBugCheck();
}

TEST(BugCheck, EndsTheProcessWithAReportNamingTheOpenScopesInnermostFirst) {
    DeleteFileW(ReportPath().c_str());
    ChildResult child = RunChild("bug_check");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(TRELVANE_BUGCHECK_EXIT_CODE));
    std::string report = ReadFile(ReportPath());
    size_t inner = report.find("Trelvane::onInit()");
    size_t outer = report.find("TVFMainMenuSub::execute(unsigned, service_ptr_t<service_base>)");
    ASSERT_NE(inner, std::string::npos) << report;
    ASSERT_NE(outer, std::string::npos) << report;
    EXPECT_LT(inner, outer);
    DeleteFileW(ReportPath().c_str());
}

} // namespace
