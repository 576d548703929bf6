#pragma once
// Counts the GDI and USER objects (device contexts, bitmaps, icons) that a module creates and
// releases, at its import boundary. GetGuiResources answers 0 under Wine, so this is how
// tests and benchmarks see leaks.
#include "tests/support/iat_hook.h"

#include <memory>
#include <set>
#include <vector>

class GdiTracker {
public:
    explicit GdiTracker(HMODULE module = GetModuleHandleW(nullptr));
    ~GdiTracker();
    GdiTracker(const GdiTracker&) = delete;
    GdiTracker& operator=(const GdiTracker&) = delete;

    bool Installed() const;
    // Objects created since the tracker started, and releases that succeeded.
    size_t Created() const { return m_created; }
    size_t Released() const { return m_released; }
    // Objects created since the tracker started that have not been released.
    size_t Live() const { return m_live.size(); }
    // Of those, the ones Windows still knows as objects (a second opinion on Live()).
    size_t LiveByObjectType() const;
    void ResetCounts() { m_created = m_released = 0; }

private:
    friend struct GdiTrackerHooks;
    void Created(HANDLE handle);
    void Released(HANDLE handle, bool succeeded);

    static GdiTracker* s_active;
    std::vector<std::unique_ptr<IatHook>> m_hooks;
    std::set<HANDLE> m_live;
    std::set<HANDLE> m_icons;
    size_t m_created = 0;
    size_t m_released = 0;
};
