// Display text for the song-title balloon, from a pattern in the player's title-formatting
// language evaluated for the playing track.
#include "player/Player.h"

#include "base/text_convert.h"
#include "sdk/core_api.h"
#include "sdk/playback_control.h"
#include "sdk/shared/shared.h"
#include "sdk/titleformat.h"

namespace {

constexpr size_t kMaxTitleLength = 200;
const char* const kFallbackPattern = "%filename%";

void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The player's language has no line-feed escape of its own; a typed line break becomes a
// character code the player turns back into one.
std::wstring PreparePattern(const std::wstring& pattern) {
    std::wstring prepared = pattern;
    ReplaceAll(prepared, L"\n", L"$char(13)");
    return prepared;
}

service_ptr_t<titleformat_object> Compile(const std::string& pattern) {
    service_ptr_t<titleformat_compiler> compiler = standard_api_create_t<titleformat_compiler>();
    service_ptr_t<titleformat_object> script;
    if (compiler->compile(script, pattern.c_str())) return script;
    if (compiler->compile(script, kFallbackPattern)) return script;
    throw pfc::exception_bug_check_v2();
}

// File names and addresses often stand in for titles; their separators read as spaces.
std::wstring TidyForBalloon(std::wstring text) {
    ReplaceAll(text, L"_", L" ");
    ReplaceAll(text, L"%20", L" ");
    if (text.size() > kMaxTitleLength) text.resize(kMaxTitleLength);
    return text;
}

} // namespace

std::wstring Player::FormatTitle(const std::wstring& pattern) {
    uCallStackTracker tracker("Player::FormatTitle()");
    std::wstring prepared = PreparePattern(pattern);
    metadb_handle_ptr track;
    standard_api_create_t<playback_control>()->get_now_playing(track);
    service_ptr_t<titleformat_object> script = Compile(WideToString8(prepared));
    pfc::string8 text;
    if (track.is_valid()) track->format_title(nullptr, text, script, nullptr);
    return TidyForBalloon(String8ToWide(text.get_ptr()));
}
