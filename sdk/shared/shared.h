#pragma once
// shared.dll: services of the player's shared library that every component may use.
#include <cstddef>

#ifdef TRELVANE_SHARED_BUILD
#define SHARED_EXPORT __declspec(dllexport)
#else
#define SHARED_EXPORT __declspec(dllimport)
#endif

// Records that an operation is running, for crash reports. Scopes nest per thread; the
// destructor closes the scope on every way out of the enclosing block, exceptions included.
class SHARED_EXPORT uCallStackTracker {
public:
    explicit uCallStackTracker(const char* name);
    ~uCallStackTracker();
    uCallStackTracker(const uCallStackTracker&) = delete;
    uCallStackTracker& operator=(const uCallStackTracker&) = delete;
private:
    std::size_t m_depth;
};

extern "C" {
// Reports a fatal internal error and ends the process: writes a crash report naming the
// open tracker scopes, innermost first, and exits with TRELVANE_BUGCHECK_EXIT_CODE.
[[noreturn]] SHARED_EXPORT void uBugCheck();

// The scopes open on the calling thread; index 0 is the innermost. For crash reports and tests.
SHARED_EXPORT std::size_t uCallStackTracker_GetDepth();
SHARED_EXPORT const char* uCallStackTracker_GetScope(std::size_t index_from_innermost);

// Where uBugCheck writes its report; null restores the default (%TEMP%\fb2k-crash-report.txt,
// or the file named by the environment variable FB2K_CRASH_REPORT).
SHARED_EXPORT void uBugCheck_SetReportPath(const wchar_t* path);
}

#define TRELVANE_BUGCHECK_EXIT_CODE 0xBC
