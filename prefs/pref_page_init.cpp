// Filling the page when it opens: the hide-after and language lists, the labels and the
// controls from the stored settings.
#include "prefs/pref_page_instance.h"
#include "base/text_convert.h"
#include "prefs/hide_after.h"
#include "prefs/page_controls.h"
#include "settings/config_vars.h"
#include "settings/strings.h"
#include "sdk/core_api.h"

using namespace PageControl;
using namespace PageControls;

void TVFPrefPageInst::init(HWND dialog) {
    window = dialog;
    // Texts longer than an edit control's default limit are shown and kept whole.
    SendDlgItemMessageW(window, IDC_BALLOON_TITLE, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageW(window, IDC_BALLOON_FORMAT, EM_SETLIMITTEXT, 0, 0);
    InitHideAfterList();
    translatetext(static_cast<WORD>(cfg::Language & 0xFFFF));
    ShowSettings();
    InitSkinsList();
    InitLanguagesList();
    NotifyStateChanged();
}

void TVFPrefPageInst::InitHideAfterList() {
    for (int seconds = HideAfter::kMinSeconds; seconds <= HideAfter::kMaxSeconds; ++seconds) {
        wchar_t entry[16];
        wsprintfW(entry, L"%d s", seconds);
        SendDlgItemMessageW(window, IDC_HIDE_AFTER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SetDroppedHeight(window, IDC_HIDE_AFTER, kDroppedListHeight);
    // The stored value is brought into the list's range once, so that page and balloon agree.
    cfg::BalloonHideAfter = HideAfter::Clamp(cfg::BalloonHideAfter);
}

void TVFPrefPageInst::ShowSettings() {
    SetTicked(window, IDC_SHOW_BALLOON, cfg::ShowBalloon);
    SetText(window, IDC_BALLOON_TITLE, String8ToWide(cfg::BalloonTitle.get_ptr()));
    SetText(window, IDC_BALLOON_FORMAT, String8ToWide(cfg::BalloonFormat.get_ptr()));
    SetTicked(window, IDC_PAUSE_ON_SCREEN_SAVER, cfg::PauseOnScreenSaver);
    SetTicked(window, IDC_SHOW_CARD, cfg::ShowCard);
    SetTicked(window, IDC_SHOW_BALLOON_ON_STREAM, cfg::ShowBalloonOnStream);
    SetTicked(window, IDC_AUTO_VOLUME_ON_STREAM, cfg::AutoVolumeOnStream);
    Select(window, IDC_HIDE_AFTER, HideAfter::PositionOf(cfg::BalloonHideAfter));
}

void TVFPrefPageInst::InitLanguagesList() {
    HWND list = GetDlgItem(window, IDC_LANGUAGES);
    const WORD chosen = static_cast<WORD>(cfg::Language & 0xFFFF);
    for (const auto& language : EnumLanguages(core_api::get_my_instance())) {
        LRESULT position = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.first.c_str()));
        if (position < 0) continue;
        SendMessageW(list, CB_SETITEMDATA, position, language.second);
    }
    // Positions move while the sorted list fills, so the choice is found once it is complete.
    int count = EntryCount(window, IDC_LANGUAGES);
    for (int position = 0; position < count; ++position)
        if (SendMessageW(list, CB_GETITEMDATA, position, 0) == chosen) Select(window, IDC_LANGUAGES, position);
    SetDroppedHeight(window, IDC_LANGUAGES, kDroppedListHeight);
}
