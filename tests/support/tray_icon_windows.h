#pragma once
// The tray icons as Wine shows them on an X11 desktop, and real pointer input on them: each
// icon is a window of its own (docked into the desktop's system tray, or in Wine's own tray
// window), with the 16 x 16 icon centred in it.
#include <windows.h>
#include <vector>

// The visible tray icon windows of the whole desktop, left to right.
std::vector<RECT> TrayIconWindowRects();

// The screen point of pixel (x, y) of the icon drawn centred in a tray icon window.
POINT IconPixel(const RECT& iconWindow, int x, int y);

// Moves the pointer there and clicks the left button, with SendInput, pumping messages
// between the steps so that the caller's windows keep answering.
void LeftClickAt(POINT at);

// Lists the desktop's windows on stderr, for a failure report.
void DescribeDesktopWindows();
