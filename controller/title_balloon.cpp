// The song-title reactions: the tooltip of a new track, and the balloon with its title and
// details, shown once per track while playing and hidden again after a while.
#include "controller/Trelvane.h"

#include "base/text_convert.h"
#include "controller/strip_card.h"
#include "player/Player.h"
#include "sdk/shared/shared.h"
#include "settings/config_vars.h"

namespace {

constexpr int kMinHideSeconds = 1;
constexpr int kMaxHideSeconds = 10;

// The file name without its extension, for a balloon title pattern that yields nothing.
std::wstring FileNameTitle() {
    std::wstring title = Player::FormatTitle(L"%filename%");
    size_t dot = title.rfind(L'.');
    if (dot != std::wstring::npos) title.resize(dot);
    return title;
}

void TrimTrailingBreaks(std::wstring& body) {
    while (!body.empty() && (body.back() == L' ' || body.back() == L'\r' || body.back() == L'\n')) body.pop_back();
}

int HideAfterSeconds() {
    int seconds = cfg::BalloonHideAfter;
    if (seconds < kMinHideSeconds) seconds = kMinHideSeconds;
    if (seconds > kMaxHideSeconds) seconds = kMaxHideSeconds;
    return seconds;
}

} // namespace

void Trelvane::onTitleChange(const std::wstring& title) {
    uCallStackTracker tracker("Trelvane::onTitleChange()const wstring &");
    SetTipText(title);
    bool stream = Player::Length() <= 0;
    VolumeSlider();
    bool wanted = stream ? cfg::ShowBalloonOnStream : cfg::ShowBalloon;
    if (ShownPlayMode() == Playing && wanted) ShowBalloon(false);
    Refresh();
    // The track is known now: a previous, next or seek waiting for it can go.
    playerCommands.TrackStarting(false);
    StripCard::Instance().OnNewTrack();
}

void Trelvane::ShowBalloon(bool force) {
    uCallStackTracker tracker("Trelvane::ShowBalloon(wstring, bool)");
    if (balloonShown && !force) return;
    balloonShown = true;
    std::wstring title = Player::FormatTitle(String8ToWide(cfg::BalloonTitle.get_ptr()));
    if (title.empty()) title = FileNameTitle();
    std::wstring body = Player::FormatTitle(String8ToWide(cfg::BalloonFormat.get_ptr()));
    TrimTrailingBreaks(body);
    int seconds = HideAfterSeconds();
    NotifyIcons::ShowBalloon(body.c_str(), title.c_str(), static_cast<UINT>(seconds));
    SetTimer(MessageWindow(), kBalloonTimer, static_cast<UINT>(seconds) * 1000u, nullptr);
}
