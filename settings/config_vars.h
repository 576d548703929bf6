#pragma once
// The component's persistent settings: configuration variables that the player saves with
// its own configuration and restores before start-up. Other code reads and assigns them
// directly by these names.
#include "sdk/cfg_var.h"

#include <cstddef>

namespace cfg {
extern cfg_int_t<bool> VolumeSlider;
extern cfg_int_t<bool> ShowBalloon;
extern cfg_int_t<bool> ShowBalloonOnStream;
extern cfg_int_t<bool> AutoVolumeOnStream;
extern cfg_int_t<bool> PauseOnScreenSaver;
extern cfg_int_t<int> BalloonHideAfter;
extern cfg_int_t<int> Language;
extern cfg_int_t<bool> Windows7NoticeShown;
// A card with the cover, the song and the time under the pointer while it rests on the strip.
extern cfg_int_t<bool> ShowCard;
extern cfg_string BalloonTitle;
extern cfg_string BalloonFormat;
extern cfg_string SkinName;

// The balloon-title pattern used when nothing else is configured.
extern const char* const kDefaultBalloonTitle;
// Stands in BalloonFormat for "the default format in the current language".
extern const char* const kDefaultFormatMarker;

// How the preferences page shows a setting: the kind decides how the value goes into its
// control, is compared with what the control shows, and is stored from it.
enum class PageControlKind { CheckBox, SecondsList, Text };

// One setting of the preferences page: its variable (the one member its kind uses), its
// control, and the value it holds before anything is stored, which the page's Reset shows
// again. The variable takes its default from its row.
struct PageSetting {
    PageControlKind kind;
    int control;
    cfg_int_t<bool>* flag;   // CheckBox
    cfg_int_t<int>* seconds; // SecondsList
    cfg_string* text;        // Text
    int defaultNumber;       // CheckBox (0 or 1), SecondsList
    const char* defaultText; // Text

    static constexpr PageSetting CheckBox(cfg_int_t<bool>& variable, int control, bool byDefault) {
        return PageSetting{PageControlKind::CheckBox, control, &variable, nullptr, nullptr, byDefault ? 1 : 0, nullptr};
    }
    static constexpr PageSetting SecondsList(cfg_int_t<int>& variable, int control, int byDefault) {
        return PageSetting{PageControlKind::SecondsList, control, nullptr, &variable, nullptr, byDefault, nullptr};
    }
    static constexpr PageSetting Text(cfg_string& variable, int control, const char* byDefault) {
        return PageSetting{PageControlKind::Text, control, nullptr, nullptr, &variable, 0, byDefault};
    }
};

// The page's settings, one row each. A new check box is one row here, its variable with its
// GUID above, and its control in the dialog's resources.
extern const PageSetting kPageSettings[];
extern const size_t kPageSettingCount;
} // namespace cfg
