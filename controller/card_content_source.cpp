#include "controller/card_content_source.h"

#include "base/text_convert.h"
#include "controller/card_text.h"
#include "player/Player.h"
#include "settings/config_vars.h"
#include "tray/NotifyIcons.h"

namespace {
const wchar_t kDetailPattern[] = L"[%artist%][ \x2013 %album%]";
constexpr int kThousandths = 1000; // not a resource id: thousandths
} // namespace

namespace CardContentSource {

std::wstring Title() {
    std::wstring title = Player::FormatTitle(String8ToWide(cfg::BalloonTitle.get_ptr()));
    if (!title.empty()) return title;
    title = Player::FormatTitle(L"%filename%");
    const size_t dot = title.rfind(L'.');
    if (dot != std::wstring::npos) title.resize(dot);
    return title;
}

std::wstring Detail() { return Player::FormatTitle(kDetailPattern); }

CardContent Timeline(const StripHover& hover, bool volumeSlider) {
    CardContent content;
    const int length = Player::Length();
    const int position = Player::Position();
    content.timeline = CardText::Timeline(position, length);
    if (length > 0)
        content.progress =
            static_cast<int>(static_cast<long long>(position < 0 ? 0 : position) * kThousandths / length);
    if (content.progress > kThousandths) content.progress = kThousandths;
    const bool onSlider = hover.dragging || (hover.onTray && hover.target == TrayButton::Slider);
    if (!onSlider || hover.range <= 0) return content;
    if (!volumeSlider && length <= 0) return content;
    content.marker = hover.step * kThousandths / hover.range;
    content.markerText = volumeSlider ? CardText::VolumeAtStep(hover.step, hover.range)
                                      : CardText::Clock(CardText::SeekTimeAtStep(hover.step, hover.range, length));
    return content;
}

} // namespace CardContentSource
