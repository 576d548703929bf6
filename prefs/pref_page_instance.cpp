// The page instance's life and the player's calls: state, apply and reset.
#include "prefs/pref_page_instance.h"
#include "base/text_convert.h"
#include "controller/Trelvane.h"
#include "prefs/hide_after.h"
#include "prefs/page_controls.h"
#include "sdk/boundary.h"
#include "sdk/core_api.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include <utility>

using namespace PageControl;
using namespace PageControls;

TVFPrefPageInst* TVFPrefPageInst::current = nullptr;

namespace {
std::string Utf8Text(HWND dialog, int id) { return WideToString8(Text(dialog, id)); }
bool Differs(const std::string& shown, const cfg_string& stored) { return shown != stored.get_ptr(); }
} // namespace

TVFPrefPageInst::TVFPrefPageInst(HWND parent, service_ptr_t<preferences_page_callback> pageCallback)
    : callback(std::move(pageCallback)) {
    current = this;
    CreateDialogParamW(core_api::get_my_instance(), MAKEINTRESOURCEW(kDialog), parent, &TVFPrefPageInst::ConfigProc, 0);
}

TVFPrefPageInst::~TVFPrefPageInst() {
    // A newer instance may already have taken over; it keeps its own place.
    if (current == this) current = nullptr;
}

void TVFPrefPageInst::NotifyStateChanged() {
    if (callback.is_valid()) callback->on_state_changed();
}

int TVFPrefPageInst::ChosenLanguage() const {
    LONG_PTR data = SelectedData(window, kLanguages);
    return data < 0 ? -1 : static_cast<int>(data & 0xFFFF);
}

t_uint32 TVFPrefPageInst::StateShown() const {
    const t_uint32 unchanged = resettable, modified = resettable | changed;
    if (IsTicked(window, kShowBalloon) != cfg::ShowBalloon) return modified;
    if (HideAfter::SecondsAt(Selection(window, kHideAfter)) != cfg::BalloonHideAfter) return modified;
    if (IsTicked(window, kShowBalloonOnStream) != cfg::ShowBalloonOnStream) return modified;
    if (IsTicked(window, kAutoVolumeOnStream) != cfg::AutoVolumeOnStream) return modified;
    if (IsTicked(window, kPauseOnScreenSaver) != cfg::PauseOnScreenSaver) return modified;
    int language = ChosenLanguage();
    if (language >= 0 && language != (cfg::Language & 0xFFFF)) return modified;
    if (Differs(Utf8Text(window, kBalloonTitle), cfg::BalloonTitle)) return modified;
    if (Differs(Utf8Text(window, kBalloonFormat), cfg::BalloonFormat)) return modified;
    if (SkinText() != String8ToWide(cfg::SkinName.get_ptr())) return modified;
    return unchanged;
}

void TVFPrefPageInst::StoreShown() {
    cfg::ShowBalloon = IsTicked(window, kShowBalloon);
    cfg::PauseOnScreenSaver = IsTicked(window, kPauseOnScreenSaver);
    cfg::ShowBalloonOnStream = IsTicked(window, kShowBalloonOnStream);
    cfg::AutoVolumeOnStream = IsTicked(window, kAutoVolumeOnStream);
    cfg::BalloonHideAfter = HideAfter::SecondsAt(Selection(window, kHideAfter));
    cfg::BalloonTitle = Utf8Text(window, kBalloonTitle).c_str();
    cfg::BalloonFormat = Utf8Text(window, kBalloonFormat).c_str();

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
    SetTicked(window, kShowBalloon, true);
    Select(window, kHideAfter, HideAfter::PositionOf(HideAfter::kDefaultSeconds));
    SetTicked(window, kShowBalloonOnStream, true);
    SetTicked(window, kAutoVolumeOnStream, true);
    SetTicked(window, kPauseOnScreenSaver, false);
    SetText(window, kBalloonTitle, String8ToWide(cfg::kDefaultBalloonTitle));
    SetText(window, kBalloonFormat, DEFBALLOONFORMAT());
    Select(window, kSkins, 0);
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
