// The page instance's life and the player's calls: state, apply and reset.
#include "prefs/pref_page_instance.h"
#include "base/text_convert.h"
#include "controller/Trelvane.h"
#include "controller/strip_card.h"
#include "prefs/page_controls.h"
#include "prefs/page_settings.h"
#include "sdk/boundary.h"
#include "sdk/core_api.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include <utility>

using namespace PageControls;

TVFPrefPageInst* TVFPrefPageInst::current = nullptr;

TVFPrefPageInst::TVFPrefPageInst(HWND parent, service_ptr_t<preferences_page_callback> pageCallback)
    : callback(std::move(pageCallback)) {
    current = this;
    CreateDialogParamW(core_api::get_my_instance(), MAKEINTRESOURCEW(IDD_PREFERENCES), parent,
                       &TVFPrefPageInst::ConfigProc, 0);
}

TVFPrefPageInst::~TVFPrefPageInst() {
    // A newer instance may already have taken over; it keeps its own place.
    if (current == this) current = nullptr;
}

void TVFPrefPageInst::NotifyStateChanged() {
    if (callback.is_valid()) callback->on_state_changed();
}

int TVFPrefPageInst::ChosenLanguage() const {
    LONG_PTR data = SelectedData(window, IDC_LANGUAGES);
    return data < 0 ? -1 : static_cast<int>(data & 0xFFFF);
}

t_uint32 TVFPrefPageInst::StateShown() const {
    const t_uint32 unchanged = resettable, modified = resettable | changed;
    if (PageSettings::ShownDiffer(window)) return modified;
    int language = ChosenLanguage();
    if (language >= 0 && language != (cfg::Language & 0xFFFF)) return modified;
    if (SkinText() != String8ToWide(cfg::SkinName.get_ptr())) return modified;
    return unchanged;
}

void TVFPrefPageInst::StoreShown() {
    const bool cardWasShown = cfg::ShowCard;
    PageSettings::Store(window);
    if (cfg::ShowCard != cardWasShown) StripCard::Instance().OnSettingChanged();

    Trelvane& controller = Trelvane::Instance();
    Trelvane::SFIHState();
    int language = ChosenLanguage();
    if (language >= 0 && language != (cfg::Language & 0xFFFF)) {
        cfg::Language = language;
        controller.InitMenuText();
        translatetext(static_cast<WORD>(language));
    }
    std::wstring skin = SkinText();
    if (skin != String8ToWide(cfg::SkinName.get_ptr())) {
        cfg::SkinName = WideToString8(skin).c_str();
        controller.InitIcons();
    }
    controller.VolumeSlider(static_cast<bool>(cfg::VolumeSlider));
}

void TVFPrefPageInst::ShowDefaults() {
    PageSettings::ShowDefaults(window);
    Select(window, IDC_SKINS, 0);
    NotifyStateChanged();
}

// The player's buttons call these: nothing thrown may reach it.
t_uint32 TVFPrefPageInst::get_state() {
    return fb2k::guarded<t_uint32>(resettable, [this] { return StateShown(); });
}

void TVFPrefPageInst::apply() {
    fb2k::guarded([this] { StoreShown(); });
}

void TVFPrefPageInst::reset() {
    fb2k::guarded([this] { ShowDefaults(); });
}
