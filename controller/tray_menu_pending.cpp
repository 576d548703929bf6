// Placeholders until the popup menu's display and commands land; replaced, not extended.
#include "controller/Trelvane.h"

void Trelvane::onDrawItem(const DRAWITEMSTRUCT&) {}
void Trelvane::onRightClick() {}

// Until the song-title balloon lands: the tooltip and the slider mode follow the new track.
void Trelvane::onTitleChange(const std::wstring& title) {
    SetTipText(title);
    VolumeSlider();
}
