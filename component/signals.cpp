// A runtime abort or a console break becomes a structured exception that the player's crash
// handling reports, instead of the runtime's own message box.
#include <windows.h>
#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr DWORD kSignalExceptionCode = 0x6F8E1DC8;

void RaiseSignalException(int signal_number) {
    ULONG_PTR argument = static_cast<ULONG_PTR>(signal_number);
    RaiseException(kSignalExceptionCode, EXCEPTION_NONCONTINUABLE, 1, &argument);
}

// The runtime this module is linked against may not offer _set_abort_behavior; the SIGABRT
// handler alone already keeps abort() from reaching its message, so a missing one is no loss.
void ClearAbortBehavior() {
    typedef unsigned int(__cdecl * SetAbortBehavior)(unsigned int, unsigned int);
    for (const wchar_t* runtime : {L"ucrtbase.dll", L"msvcrt.dll"}) {
        HMODULE module = GetModuleHandleW(runtime);
        if (!module) continue;
        auto set =
            reinterpret_cast<SetAbortBehavior>(reinterpret_cast<void*>(GetProcAddress(module, "_set_abort_behavior")));
        if (set) {
            set(0, _WRITE_ABORT_MSG | _CALL_REPORTFAULT);
            return;
        }
    }
}

struct SignalHandlersInstaller {
    SignalHandlersInstaller() {
        for (int signal_number : {SIGINT, SIGTERM, SIGBREAK, SIGABRT})
            std::signal(signal_number, &RaiseSignalException);
        ClearAbortBehavior();
    }
};

SignalHandlersInstaller installer;

} // namespace
