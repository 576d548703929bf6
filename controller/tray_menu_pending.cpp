// Placeholders until the popup menu's display and commands land; replaced, not extended.
#include "controller/Trelvane.h"

void Trelvane::onDrawItem(const DRAWITEMSTRUCT&) {}
void Trelvane::onRightClick() {}

