// Placeholders until mouse input and hit-testing land; replaced, not extended.
#include "tray/NotifyIcons.h"

void NotifyIcons::NotifyIconCallback(UINT, UINT) {}
int NotifyIcons::ButtonByPos(POINT) { return TrayButton::None; }
void NotifyIcons::TimerTick() {}
