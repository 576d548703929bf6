// The page's dialog procedure and its handling of the controls' notifications.
#include "prefs/pref_page_instance.h"
#include "prefs/page_controls.h"
#include "sdk/boundary.h"

namespace {

INT_PTR OnInitDialog(HWND dialog) {
    TVFPrefPageInst* page = TVFPrefPageInst::Current();
    if (page) page->init(dialog);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    // The dialog of a page the player has already released has no instance any more.
    TVFPrefPageInst* page = TVFPrefPageInst::Current();
    if (page && page->get_wnd() == dialog) page->command(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

bool ChangesSettings(int id) {
    switch (id) {
    case IDC_PAUSE_ON_SCREEN_SAVER:
    case IDC_SHOW_CARD:
    case IDC_BALLOON_FORMAT:
    case IDC_BALLOON_TITLE:
    case IDC_AUTO_VOLUME_ON_STREAM:
    case IDC_SHOW_BALLOON_ON_STREAM:
    case IDC_SKINS:
    case IDC_HIDE_AFTER:
    case IDC_SHOW_BALLOON: return true;
    default: return false;
    }
}

} // namespace

INT_PTR CALLBACK TVFPrefPageInst::ConfigProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    // Runs inside the player's dialog manager: nothing may be thrown back into it.
    return fb2k::guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND: return OnCommand(dialog, wParam);
        case WM_DESTROY: return TRUE;
        default: return FALSE; // the dialog manager's default handling
        }
    });
}

void TVFPrefPageInst::command(int id, int code) {
    if (id == IDC_LANGUAGES) {
        LONG_PTR language = PageControls::SelectedData(window, IDC_LANGUAGES);
        // A preview only: Language itself changes on apply.
        if (code == CBN_SELCHANGE && language >= 0) translatetext(static_cast<WORD>(language & 0xFFFF));
        NotifyStateChanged();
    } else if (ChangesSettings(id)) {
        NotifyStateChanged();
    }
}
