#include "host/main_menu.h"

#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/preferences_window.h"
#include "sdk/core_api.h"
#include <functional>

namespace fb2k_host {

namespace {

struct StandardCommand {
    GUID guid;
    const char* name;
    std::function<void(Host&)> run;
};

void ShowMainWindow(Host& host) {
    HWND window = host.MainWindow();
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

// The player's own commands, under the GUIDs it publishes them with.
std::vector<StandardCommand> MakeStandardCommands() {
    return {
        {{0xD3F83B15, 0xD4AF, 0x4586, {0x8B, 0xD0, 0x4E, 0xA4, 0x15, 0xE3, 0x1F, 0xE1}},
         "Play",
         [](Host& h) { h.Playback().Play(); }},
        {{0xFCEF5262, 0x7FA5, 0x452E, {0xA5, 0x27, 0xC1, 0x4E, 0x0C, 0xB5, 0x82, 0xDE}},
         "Pause",
         [](Host& h) {
             if (h.Playback().IsPlaying()) h.Playback().TogglePause();
         }},
        {{0xC3378028, 0x165F, 0x4374, {0x96, 0x6C, 0x2F, 0xA2, 0xE0, 0xFC, 0xD3, 0xA8}},
         "Stop",
         [](Host& h) { h.Playback().Stop(); }},
        {{0x059C4566, 0x4708, 0x4EBF, {0x81, 0x39, 0x6A, 0x8E, 0xA5, 0xA9, 0xDF, 0xC8}},
         "Previous",
         [](Host& h) { h.Playback().Previous(); }},
        {{0xE58895A0, 0xA2F0, 0x45B6, {0x87, 0x99, 0x14, 0x40, 0xE4, 0xDB, 0x72, 0x84}},
         "Next",
         [](Host& h) { h.Playback().Next(); }},
        {{0x69C778AA, 0xB836, 0x40A0, {0x89, 0xCD, 0x7A, 0x2E, 0x50, 0xC1, 0x02, 0xCB}}, "Open", [](Host&) {}},
        {{0x2DC43C22, 0xCA09, 0x4EF9, {0xA6, 0x1E, 0x7A, 0x0C, 0x1D, 0xAA, 0xE2, 0x1E}}, "Add directory", [](Host&) {}},
        {{0x9CA39D38, 0xAC9B, 0x4CCA, {0xB0, 0xCE, 0xC0, 0xF6, 0x2D, 0x18, 0x81, 0x14}}, "Add location", [](Host&) {}},
        {{0x11213A01, 0x9F36, 0x4E69, {0xA1, 0xBB, 0x7A, 0x72, 0xF4, 0x18, 0xDE, 0x3A}},
         "Preferences",
         [](Host& h) { ShowPreferences(h); }},
        {{0x6D38C73A, 0x15D8, 0x472C, {0x8E, 0x68, 0x6F, 0x94, 0x6B, 0x82, 0xEC, 0xB4}},
         "Exit",
         [](Host& h) { PostMessageW(h.MainWindow(), WM_CLOSE, 0, 0); }},
        {{0x90500F09, 0xF16F, 0x415E, {0xA0, 0x47, 0xAC, 0x50, 0x45, 0xC9, 0x5F, 0xFE}},
         "Activate",
         [](Host& h) { ShowMainWindow(h); }},
        {{0x13C17E8D, 0x0D6F, 0x41A4, {0xB2, 0x4A, 0x59, 0x37, 0x10, 0x43, 0xE9, 0x25}},
         "Hide",
         [](Host& h) { ShowWindow(h.MainWindow(), SW_HIDE); }},
    };
}

const GUID kStandardGroup = {0x3E5A0D2B, 0x7D54, 0x4C1A, {0x9B, 0x2F, 0x61, 0x0C, 0x8E, 0x44, 0xA7, 0x13}};

class StandardCommands : public mainmenu_commands {
public:
    explicit StandardCommands(Host* host) : m_host(host), m_commands(MakeStandardCommands()) {}
    t_uint32 get_command_count() override { return static_cast<t_uint32>(m_commands.size()); }
    GUID* get_command(GUID* out, t_uint32 index) override { return construct_result(out, m_commands.at(index).guid); }
    void get_name(t_uint32 index, pfc::string_base& out) override { out.set_string(m_commands.at(index).name); }
    bool get_description(t_uint32, pfc::string_base&) override { return false; }
    GUID* get_parent(GUID* out) override { return construct_result(out, kStandardGroup); }
    t_uint32 get_sort_priority() override { return sort_priority_dontcare; }
    bool get_display(t_uint32 index, pfc::string_base& text, t_uint32& flags) override {
        flags = 0;
        get_name(index, text);
        return true;
    }
    void execute(t_uint32 index, service_by_value<service_base> context) override {
        adopt(context).release();
        const StandardCommand& command = m_commands.at(index);
        m_host->Commands().Record(command.name);
        command.run(*m_host);
    }

private:
    Host* m_host;
    std::vector<StandardCommand> m_commands;
};

class Resolver : public menu_item_resolver {
public:
    explicit Resolver(Host* host) : m_host(host) {}
    bool resolve_main_command(const GUID& command, service_ptr_t<mainmenu_commands>& out, t_uint32& outIndex) override {
        if (!m_host->Commands().IsPublished(command)) return false;
        service_ptr_t<service_base> found;
        for (t_size p = 0; m_host->CreateService(found, mainmenu_commands::class_guid, p); ++p) {
            service_ptr_t<mainmenu_commands> provider;
            if (!found.cast(provider)) continue;
            for (t_uint32 i = 0, n = provider->get_command_count(); i < n; ++i) {
                if (pfc::guid_equal(provider->command_guid(i), command)) {
                    out = provider;
                    outIndex = i;
                    return true;
                }
            }
        }
        return false;
    }

private:
    Host* m_host;
};

} // namespace

bool CommandLog::IsPublished(const GUID& command) const {
    for (const GUID& g : m_unpublished)
        if (pfc::guid_equal(g, command)) return false;
    return true;
}

void RegisterMainMenuServices(Host& host) {
    host.RegisterService(mainmenu_commands::class_guid, new service_impl_t<StandardCommands>(&host));
    host.RegisterService(menu_item_resolver::class_guid, new service_impl_t<Resolver>(&host));
}

} // namespace fb2k_host
