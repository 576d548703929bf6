#pragma once
// No exception crosses between the component and the player: the two are built by different
// compilers, so one side's exception is no exception to the other (on x86 it ends the player
// outright). Every method the player calls runs its body through `guarded`, which catches
// everything; the failure is reported to the user and the player goes on.
#include <exception>
#include <utility>

namespace fb2k {

// Shows the failure to the user through the player's popup (titled with the component's name,
// the exception's message): each distinct message once per session, and never while another such
// report is open (a popup may run messages that fail again). Never throws.
void report_escaped_exception(const char* message) noexcept;

template <typename F> void guarded(F&& body) noexcept {
    try {
        std::forward<F>(body)();
    } catch (const std::exception& e) {
        report_escaped_exception(e.what());
    } catch (...) {
        report_escaped_exception("Unknown error");
    }
}

// As above; returns `fallback` when the body failed.
template <typename R, typename F> R guarded(R fallback, F&& body) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (const std::exception& e) {
        report_escaped_exception(e.what());
    } catch (...) {
        report_escaped_exception("Unknown error");
    }
    return fallback;
}

} // namespace fb2k
