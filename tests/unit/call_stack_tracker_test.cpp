// The shared library's call-stack tracker and its fatal bug check.
#include "sdk/shared/shared.h"
#include "base/system_handles.h"
#include "tests/support/call_stack.h"
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
    ASSERT_STREQ(uGetCallStackPath(), "") << "before any scope";
    {
        uCallStackTracker outer("outer");
        {
            uCallStackTracker inner("inner");
            EXPECT_STREQ(uGetCallStackPath(), "outer=>inner") << "both open";
        }
        EXPECT_STREQ(uGetCallStackPath(), "outer") << "inner closed";
    }
    EXPECT_STREQ(uGetCallStackPath(), "") << "both closed";
}

TEST(CallStackTracker, AnExceptionClosesEveryScopeItPassesThrough) {
    uCallStackTracker outer("outer");
    EXPECT_THROW(ThrowInside("thrower"), std::runtime_error);
    EXPECT_STREQ(uGetCallStackPath(), "outer");
}

TEST(CallStackTracker, ScopesBelongToTheirThread) {
    uCallStackTracker mine("main thread");
    size_t otherDepth = 99;
    UniqueKernelHandle thread(CreateThread(
        nullptr, 0,
        [](LPVOID depth) -> DWORD {
            *static_cast<size_t*>(depth) = OpenScopeCount();
            return 0;
        },
        &otherDepth, 0, nullptr));
    ASSERT_TRUE(thread);
    WaitForSingleObject(thread.get(), INFINITE);
    EXPECT_EQ(otherDepth, 0u);
}

CHILD_PROCESS_BODY(bug_check) {
    SetEnvironmentVariableW(L"FB2K_CRASH_REPORT", ReportPath().c_str());
    uCallStackTracker outer("TVFMainMenuSub::execute(unsigned, service_ptr_t<service_base>)");
    uCallStackTracker inner("Trelvane::onInit()");
    uBugCheck();
}

TEST(CallStackTracker, APathLongerThanThePlayerKeepsIsCutAndRestoredWhole) {
    std::string longName(1500, 'x');
    {
        uCallStackTracker outer("outer");
        uCallStackTracker huge(longName.c_str());
        EXPECT_EQ(std::string(uGetCallStackPath()).size(), 1023u);
    }
    EXPECT_STREQ(uGetCallStackPath(), "");
}

TEST(BugCheck, EndsTheProcessWithAReportNamingTheOpenScopes) {
    DeleteFileW(ReportPath().c_str());
    ChildResult child = RunChild("bug_check");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, static_cast<unsigned long>(TRELVANE_BUGCHECK_EXIT_CODE));
    std::string report = ReadFile(ReportPath());
    EXPECT_NE(report.find("TVFMainMenuSub::execute(unsigned, service_ptr_t<service_base>)=>Trelvane::onInit()"),
              std::string::npos)
        << report;
    DeleteFileW(ReportPath().c_str());
}

} // namespace
