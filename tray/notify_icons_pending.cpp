// Placeholders until composition, input and balloons land; replaced, not extended.
#include "tray/NotifyIcons.h"

std::wstring NotifyIcons::IconFile(const std::wstring&, int) { return std::wstring(); }
void NotifyIcons::InitIcons(HWND window, HINSTANCE instance, const std::wstring&) { hWnd = window; hInstance = instance; }
void NotifyIcons::SetPlayMode(PlayMode mode) { playMode = mode; }
void NotifyIcons::SetSliderMode(bool volume) { volumeMode = volume; }
void NotifyIcons::Refresh() {}
void NotifyIcons::ModifyIcons() {}
void NotifyIcons::AddIconsToTray() {}
void NotifyIcons::IconBlt(HDC, HDC, int, int, int, bool) {}
void NotifyIcons::NotifyIconCallback(UINT, UINT) {}
int NotifyIcons::ButtonByPos(POINT) { return TrayButton::None; }
void NotifyIcons::TimerTick() {}
void NotifyIcons::ShowBalloon(const wchar_t*, const wchar_t*, UINT) {}
void NotifyIcons::HideBalloon() {}
void NotifyIcons::EnableToolTip(bool) {}
void NotifyIcons::SetTipText(const std::wstring&) {}
