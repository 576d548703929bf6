#pragma once
// Replaces one imported function in one module's import address table for as long as the
// hook lives: the way tests watch and steer what the code under test asks of Windows.
#include <windows.h>
#include <vector>

class IatHook {
public:
    // Every import slot of `function` from `dll` (matched without regard to case) in `module`.
    IatHook(HMODULE module, const char* dll, const char* function, void* replacement);
    ~IatHook();
    IatHook(const IatHook&) = delete;
    IatHook& operator=(const IatHook&) = delete;

    bool Installed() const { return !m_slots.empty(); }
    // The function the module called before the hook.
    void* Original() const { return m_original; }

private:
    std::vector<void**> m_slots;
    void* m_original = nullptr;
};

// Convenience for typed originals.
template <typename F> F OriginalOf(const IatHook& hook) { return reinterpret_cast<F>(hook.Original()); }
