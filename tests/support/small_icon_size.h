#pragma once
// Makes a module see another small-icon size: its GetSystemMetrics import answers SM_CXSMICON
// and SM_CYSMICON with the given size while the object lives (the shell's size at other DPI
// settings), and passes every other metric on.
#include "tests/support/iat_hook.h"

class SmallIconSize {
public:
    explicit SmallIconSize(int size, HMODULE module = GetModuleHandleW(nullptr));
    ~SmallIconSize();
    SmallIconSize(const SmallIconSize&) = delete;
    SmallIconSize& operator=(const SmallIconSize&) = delete;

    bool Installed() const { return m_hook.Installed(); }
    void Set(int size);

private:
    IatHook m_hook;
};
