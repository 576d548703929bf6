// Commands that the tray menu and the player's main menu both offer.
#include "controller/Trelvane.h"

#include "player/Player.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "settings/config_vars.h"
#include "settings/strings.h"

namespace {
// "Do you want to delete the current playing song? ..." in the user's language.
constexpr UINT kDeleteQuestionString = IDS_DELETE_QUESTION;
} // namespace

// Both icons leave the tray and come back in the profile's order, for a tray that lost or
// shuffled them.
void Trelvane::ResetIcons() {
    UnInitIcons();
    AddIconsToTray();
}

void Trelvane::DeleteCurrentFile() {
    WORD language = static_cast<WORD>(cfg::Language & 0xFFFF);
    Player::Delete(LoadResString(core_api::get_my_instance(), kDeleteQuestionString, language));
}
