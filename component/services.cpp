// The services the component registers with the player. They are defined here together
// because their order is part of the contract: installation check, version information,
// start-up and shut-down hooks, main-menu group, main-menu commands, preferences page.
#include "component/client.h"
#include "component/main_menu.h"
#include "base/text_convert.h"
#include "controller/Trelvane.h"
#include "controller/play_callback.h"
#include "prefs/pref_page.h"
#include "sdk/boundary.h"
#include "sdk/componentversion.h"
#include "sdk/initquit.h"
#include "sdk/play_callback.h"
#include "sdk/service_factory.h"
#include "sdk/shared/shared.h"
#include "sdk/core_api.h"

namespace {

const char* const kModuleFileName = "foo_Trelvane.dll";

// Held as UTF-16 and converted once while the library loads.
const std::string kComponentName = WideToString8(L"Foobar2000 Trelvane");
const std::string kComponentVersion = WideToString8(L"0.6.7.5");
const std::string kAboutMessage =
    WideToString8(L"Control the playback functions of Foobar2000 - the ultimate tray plugin.\n\n"
                  L"Trelvane, made by the Trelvane team - https://trelvane.example.org/");

// The file name is whatever follows the last '\\', '/', '|' or ':'.
const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == '|' || *p == ':') name = p + 1;
    return name;
}

class component_installation_validator_filename : public component_installation_validator {
public:
    bool is_installed_correctly() override {
        return fb2k::guarded(
            false, [] { return std::strcmp(FileNamePart(client_state::LibraryPath()), kModuleFileName) == 0; });
    }
};

class componentversion_myimpl : public componentversion {
public:
    void get_file_name(pfc::string_base& out) override { Write(out, client_state::LibraryName()); }
    void get_component_name(pfc::string_base& out) override { Write(out, kComponentName.c_str()); }
    void get_component_version(pfc::string_base& out) override { Write(out, kComponentVersion.c_str()); }
    void get_about_message(pfc::string_base& out) override { Write(out, kAboutMessage.c_str()); }

private:
    // The player's string may fail to grow.
    static void Write(pfc::string_base& out, const char* text) {
        fb2k::guarded([&] { out.set_string(text); });
    }
};

class TVFInitQuit : public initquit {
public:
    void on_init() override {
        uCallStackTracker tracker("TVFInitQuit::on_init()");
        fb2k::guarded([] {
            Trelvane& controller = Trelvane::Instance();
            controller.onInit();
            standard_api_create_t<play_callback_manager>()->register_callback(&PlayCallback(), kPlayCallbackMask, true);
        });
    }
    void on_quit() override {
        uCallStackTracker tracker("TVFInitQuit::on_quit()");
        fb2k::guarded([] { Trelvane::Instance().onQuit(); });
    }
};

service_factory_single_t<component_installation_validator_filename> validatorFactory;
service_factory_single_t<componentversion_myimpl> versionFactory;
service_factory_single_t<TVFInitQuit> initQuitFactory;
service_factory_single_t<TVFMainMenuMain, mainmenu_group> mainMenuGroupFactory;
service_factory_single_t<TVFMainMenuSub> mainMenuCommandsFactory;
service_factory_single_t<TVFPrefPage, preferences_page> prefPageFactory;

} // namespace
