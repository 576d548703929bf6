#pragma once
// shared.dll: the player's shared library, which every component may use. The component
// binds these by the names the player's shared.dll exports (its compiler's names; see the
// module-definition files beside this header), whatever g++ calls them.
#include <cstddef>

#if defined(TRELVANE_SHARED_BUILD)
#define SHARED_IMPORT
#else
#define SHARED_IMPORT __declspec(dllimport)
#endif
// The C exports are __stdcall on x86 ("_name@bytes"); x64 has one convention.
#if defined(__i386__)
#define SHARED_C_CALL __attribute__((stdcall))
#else
#define SHARED_C_CALL
#endif

// Records that an operation is running, for crash reports: the constructor appends "=>" and
// the name to the calling thread's path, the destructor restores the path as it was. Keep an
// instance on the stack for the scope it names.
class uCallStackTracker {
public:
    SHARED_IMPORT explicit uCallStackTracker(const char* name);
    SHARED_IMPORT ~uCallStackTracker();
    uCallStackTracker(const uCallStackTracker&) = delete;
    uCallStackTracker& operator=(const uCallStackTracker&) = delete;

private:
    std::size_t m_previous_length; // the player's private state: one size
};
static_assert(sizeof(uCallStackTracker) == sizeof(void*), "the tracker is one size");

extern "C" {
// Reports a fatal internal error and ends the process; does not return.
[[noreturn]] SHARED_IMPORT void SHARED_C_CALL uBugCheck();
// The calling thread's open scopes, outermost first, joined by "=>".
SHARED_IMPORT const char* SHARED_C_CALL uGetCallStackPath();
}

// Exit code of the stand-in shared.dll's uBugCheck (the player's own raises a crash report).
#define TRELVANE_BUGCHECK_EXIT_CODE 0xBC
