#include "settings/config_vars.h"

#include "resources/resource.h"

namespace cfg {

constexpr const char* kDefaultBalloonTitle = "$if(%title%,[%tracknumber% - ]%title%,%_filename%)";
constexpr const char* kDefaultFormatMarker = "*DEFAULT*";

// clang-format off
constexpr PageSetting kPageSettings[] = {
    PageSetting::CheckBox(ShowBalloon,            IDC_SHOW_BALLOON,           true),
    PageSetting::SecondsList(BalloonHideAfter,    IDC_HIDE_AFTER,             4),
    PageSetting::CheckBox(ShowBalloonOnStream,    IDC_SHOW_BALLOON_ON_STREAM, true),
    PageSetting::CheckBox(AutoVolumeOnStream,     IDC_AUTO_VOLUME_ON_STREAM,  true),
    PageSetting::CheckBox(PauseOnScreenSaver,     IDC_PAUSE_ON_SCREEN_SAVER,  false),
    PageSetting::CheckBox(ShowCard,               IDC_SHOW_CARD,              true),
    PageSetting::Text(BalloonTitle,               IDC_BALLOON_TITLE,          kDefaultBalloonTitle),
    PageSetting::Text(BalloonFormat,              IDC_BALLOON_FORMAT,         kDefaultFormatMarker),
};
// clang-format on
const size_t kPageSettingCount = sizeof(kPageSettings) / sizeof(kPageSettings[0]);

namespace {

// The defaults of the page's settings, read from their rows while the variables are built
// (the table is complete before any variable: it is constant).
bool DefaultOf(const cfg_int_t<bool>* variable) {
    for (const PageSetting& row : kPageSettings)
        if (row.flag == variable) return row.defaultNumber != 0;
    return false;
}
int DefaultOf(const cfg_int_t<int>* variable) {
    for (const PageSetting& row : kPageSettings)
        if (row.seconds == variable) return row.defaultNumber;
    return 0;
}
const char* DefaultOf(const cfg_string* variable) {
    for (const PageSetting& row : kPageSettings)
        if (row.text == variable) return row.defaultText;
    return "";
}

} // namespace

cfg_int_t<bool> VolumeSlider({0x430BE47B, 0xE9B9, 0x4DA2, {0xBF, 0x2A, 0x8B, 0xC0, 0x10, 0xA7, 0x13, 0xD5}}, false);
cfg_int_t<bool> ShowBalloon({0xA927F62E, 0xAE83, 0x4FCF, {0xA9, 0xC5, 0x74, 0xE0, 0x38, 0xF3, 0xFB, 0x8B}},
                            DefaultOf(&ShowBalloon));
cfg_int_t<bool> ShowBalloonOnStream({0x39C4A6AE, 0xA531, 0x4CFD, {0x94, 0xA5, 0x88, 0x48, 0xBA, 0xC5, 0x36, 0xF6}},
                                    DefaultOf(&ShowBalloonOnStream));
cfg_int_t<bool> AutoVolumeOnStream({0x813CBFA4, 0x458F, 0x41EE, {0xB6, 0x4E, 0x75, 0xBD, 0x40, 0x00, 0xF8, 0x9D}},
                                   DefaultOf(&AutoVolumeOnStream));
cfg_int_t<bool> PauseOnScreenSaver({0x89FCD01A, 0xDEB7, 0x4388, {0x88, 0xAF, 0x2F, 0x6A, 0x8C, 0x71, 0x9F, 0x74}},
                                   DefaultOf(&PauseOnScreenSaver));
cfg_int_t<int> BalloonHideAfter({0x1923AA29, 0xC556, 0x4B21, {0xA3, 0x4D, 0x34, 0x61, 0xAA, 0x59, 0x7D, 0xAD}},
                                DefaultOf(&BalloonHideAfter));
cfg_int_t<int> Language({0x0B1F1B76, 0xCB01, 0x45B6, {0x82, 0x60, 0xD6, 0xEE, 0x48, 0x10, 0x57, 0xAE}}, 0);
cfg_int_t<bool> Windows7NoticeShown({0xF70EE8E3, 0x4E77, 0x4DF6, {0x9E, 0x43, 0xBC, 0x1E, 0x1D, 0x44, 0xD1, 0xEA}},
                                    false);
cfg_string BalloonTitle({0xE5B98317, 0xE109, 0x4B12, {0xBA, 0x40, 0x8C, 0xC4, 0x37, 0xD7, 0xEF, 0xB6}},
                        DefaultOf(&BalloonTitle));
cfg_string BalloonFormat({0x4EA6F3DD, 0x783F, 0x4583, {0xBF, 0xC1, 0x71, 0xC7, 0xF6, 0x30, 0x77, 0xAE}},
                         DefaultOf(&BalloonFormat));
cfg_int_t<bool> ShowCard({0x5A3F02F6, 0x7D76, 0x487E, {0xB5, 0xEB, 0xAF, 0x0E, 0x5F, 0xA1, 0x65, 0x1B}},
                         DefaultOf(&ShowCard));
cfg_string SkinName({0x1B14FBA7, 0x1F09, 0x47A9, {0xB5, 0xBC, 0xCB, 0x86, 0xDB, 0x0D, 0x16, 0x46}}, "");

} // namespace cfg
