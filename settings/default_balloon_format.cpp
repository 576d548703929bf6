// The default balloon body: a fixed title-formatting template whose four labels are taken
// from the string table of the current language.
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include "settings/strings.h"

#include "base/text_convert.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/shared/shared.h"
#include <cstring>

namespace {

const wchar_t* const kBalloonFormatTemplate =
    L"[%a%: %artist%\r\n][%b%: %album%\r\n][%f%: %_filename_ext%\r\n][%l%: %_length%\r\n]"
    L"[%__bitrate%kbps ][%__bitrate_dynamic%kbps ][%__samplerate%Hz]\r\n";

constexpr int kLabelCapacity = 1024; // not a resource id: wide characters

struct Label {
    const wchar_t* placeholder;
    UINT stringId;
};
// In the order of replacement: "Artist", "Album", "File", "Length".
const Label kLabels[] = {
    {L"%a%", IDS_LABEL_ARTIST}, {L"%b%", IDS_LABEL_ALBUM}, {L"%f%", IDS_LABEL_FILE}, {L"%l%", IDS_LABEL_LENGTH}};

void ReplaceFirst(std::wstring& text, const wchar_t* placeholder, const wchar_t* replacement) {
    size_t at = text.find(placeholder);
    if (at != std::wstring::npos) text.replace(at, std::wcslen(placeholder), replacement);
}

} // namespace

std::wstring DEFBALLOONFORMAT() {
    uCallStackTracker tracker("DEFBALLOONFORMAT()");
    HINSTANCE module = core_api::get_my_instance();
    WORD language = static_cast<WORD>(cfg::Language & 0xFFFF);
    std::wstring format = kBalloonFormatTemplate;
    for (const Label& label : kLabels) {
        wchar_t text[kLabelCapacity];
        LoadStringEx(module, label.stringId, text, kLabelCapacity, language);
        ReplaceFirst(format, label.placeholder, text);
    }
    return format;
}

void ReplaceDefaultBalloonFormatMarker() {
    uCallStackTracker tracker("ReplaceDefaultBalloonFormatMarker()");
    // Only the exact marker: from here on the text is an ordinary pattern, which a later
    // change of language leaves alone.
    if (std::strcmp(cfg::BalloonFormat.get_ptr(), cfg::kDefaultFormatMarker) != 0) return;
    cfg::BalloonFormat = WideToString8(DEFBALLOONFORMAT()).c_str();
}
