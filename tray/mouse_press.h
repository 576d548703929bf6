#pragma once
// Which mouse messages start a click: a button going down, a double click's second press
// included.
#include <windows.h>

inline bool IsMousePress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
           message == WM_RBUTTONDBLCLK;
}
