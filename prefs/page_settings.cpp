// The page's table of settings, one kind of control at a time.
#include "prefs/page_settings.h"

#include "base/text_convert.h"
#include "prefs/hide_after.h"
#include "prefs/page_controls.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"

#include <cstring>
#include <string>

using namespace PageControls;
using cfg::PageControlKind;
using cfg::PageSetting;

namespace {

// A row's number as the control shows it.
void ShowNumber(HWND dialog, const PageSetting& row, int value) {
    if (row.kind == PageControlKind::CheckBox) SetTicked(dialog, row.control, value != 0);
    else Select(dialog, row.control, HideAfter::PositionOf(value));
}

// A list without a selection stands for the row's default.
int NumberShown(HWND dialog, const PageSetting& row) {
    if (row.kind == PageControlKind::CheckBox) return IsTicked(dialog, row.control) ? 1 : 0;
    return HideAfter::SecondsAt(Selection(dialog, row.control), row.defaultNumber);
}

int StoredNumber(const PageSetting& row) {
    return row.kind == PageControlKind::CheckBox ? (*row.flag ? 1 : 0) : static_cast<int>(*row.seconds);
}

// The default format stands for the default format of the current language, which the page
// shows in its place.
std::wstring DefaultTextShown(const PageSetting& row) {
    if (std::strcmp(row.defaultText, cfg::kDefaultFormatMarker) == 0) return DEFBALLOONFORMAT();
    return String8ToWide(row.defaultText);
}

std::string TextShown(HWND dialog, const PageSetting& row) { return WideToString8(Text(dialog, row.control)); }

} // namespace

namespace PageSettings {

void Show(HWND dialog) {
    for (size_t i = 0; i < cfg::kPageSettingCount; ++i) {
        const PageSetting& row = cfg::kPageSettings[i];
        if (row.kind == PageControlKind::Text) SetText(dialog, row.control, String8ToWide(row.text->get_ptr()));
        else ShowNumber(dialog, row, StoredNumber(row));
    }
}

void ShowDefaults(HWND dialog) {
    for (size_t i = 0; i < cfg::kPageSettingCount; ++i) {
        const PageSetting& row = cfg::kPageSettings[i];
        if (row.kind == PageControlKind::Text) SetText(dialog, row.control, DefaultTextShown(row));
        else ShowNumber(dialog, row, row.defaultNumber);
    }
}

bool ShownDiffer(HWND dialog) {
    for (size_t i = 0; i < cfg::kPageSettingCount; ++i) {
        const PageSetting& row = cfg::kPageSettings[i];
        const bool differs = row.kind == PageControlKind::Text ? TextShown(dialog, row) != row.text->get_ptr()
                                                               : NumberShown(dialog, row) != StoredNumber(row);
        if (differs) return true;
    }
    return false;
}

void Store(HWND dialog) {
    for (size_t i = 0; i < cfg::kPageSettingCount; ++i) {
        const PageSetting& row = cfg::kPageSettings[i];
        switch (row.kind) {
        case PageControlKind::CheckBox: *row.flag = IsTicked(dialog, row.control); break;
        case PageControlKind::SecondsList: *row.seconds = NumberShown(dialog, row); break;
        case PageControlKind::Text: {
            const std::string shown = TextShown(dialog, row);
            *row.text = shown.c_str();
            break;
        }
        }
    }
}

} // namespace PageSettings
