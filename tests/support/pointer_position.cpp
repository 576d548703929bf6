#include "tests/support/pointer_position.h"

namespace {
constexpr DWORD kLongestWait = 1000; // not a resource id: milliseconds
} // namespace

bool MovePointerTo(POINT point) {
    if (!SetCursorPos(point.x, point.y)) return false;
    const DWORD start = GetTickCount();
    do {
        POINT now = {};
        if (GetCursorPos(&now) && now.x == point.x && now.y == point.y) return true;
        Sleep(10);
    } while (GetTickCount() - start < kLongestWait);
    return false;
}
