#include "tests/support/small_icon_size.h"

namespace {
int g_size = 16;
decltype(&GetSystemMetrics) g_original = nullptr;

int WINAPI SteeredGetSystemMetrics(int index) {
    if (index == SM_CXSMICON || index == SM_CYSMICON) return g_size;
    return g_original(index);
}
} // namespace

SmallIconSize::SmallIconSize(int size, HMODULE module)
    : m_hook(module, "user32.dll", "GetSystemMetrics", reinterpret_cast<void*>(&SteeredGetSystemMetrics)) {
    g_original = OriginalOf<decltype(&GetSystemMetrics)>(m_hook);
    g_size = size;
}

SmallIconSize::~SmallIconSize() { g_size = 16; }

void SmallIconSize::Set(int size) { g_size = size; }
