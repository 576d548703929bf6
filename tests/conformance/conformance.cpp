// The conformance host: loads foo_Trelvane.dll the way the MSVC-built player does and checks
// every service it offers against the player's contract. Usage: conformance.exe PATH-TO-DLL
// Prints one line per check and ends with "N passed, M failed"; the exit code is the number of
// failures (2 when the component crashed the host).
#include "guids.h"
#include "host.h"
#include "runtime.h"

namespace {

// ---- the host's objects (constant-initialised: no C runtime runs constructors here) ------------

constinit Api g_api;
constinit CallbackManager g_callbacks;
constinit Playback g_playback;
constinit Compiler g_compiler;
constinit Popups g_popups;
constinit CoverLoader g_covers;
constinit CoverBytes g_cover;
constinit Track g_track;
constinit Abort g_abort;
constinit BlobWriter g_blob;

constexpr const char* kLibraryName = "foo_Trelvane"; // the DLL's file name without extension

struct Component {
    HINSTANCE module = nullptr;
    foobar2000_client* client = nullptr;
    char path[520] = {};
    // The instances the factories handed out, by class.
    ref<service_base> validator, version, startup, menu_group, menu_commands, prefs;
};

// ---- small helpers -------------------------------------------------------------------------------

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, kPmRemove)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND create_window(const char* title) {
    static bool registered;
    if (!registered) {
        WNDCLASSA window_class = {};
        window_class.proc = &DefWindowProcA;
        window_class.instance = GetModuleHandleA(nullptr);
        window_class.class_name = "TrelvaneConformanceHost";
        RegisterClassA(&window_class);
        registered = true;
    }
    return CreateWindowExA(0, "TrelvaneConformanceHost", title, kWsOverlappedWindow, 0, 0, 640, 480, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// The DLL path from the command line, as a Windows path (a Unix path becomes one on drive Z:).
bool dll_path_from_command_line(char* out, usize capacity) {
    const char* p = GetCommandLineA();
    bool quoted = *p == '"';
    if (quoted) ++p;
    while (*p && (quoted ? *p != '"' : *p != ' ')) ++p; // skip the program's own name
    if (*p == '"') ++p;
    while (*p == ' ') ++p;
    if (!*p) return false;
    usize n = 0;
    if (*p == '/') out[n++] = 'Z', out[n++] = ':';
    quoted = *p == '"';
    if (quoted) ++p;
    for (; *p && (quoted ? *p != '"' : *p != ' ') && n + 1 < capacity; ++p) out[n++] = *p == '/' ? '\\' : *p;
    out[n] = 0;
    return true;
}

template <class T> T* as(const ref<service_base>& service) { return static_cast<T*>(service.get()); }

bool text_check(const char* name, const char* actual, const char* expected) {
    return check(name, text_equal(actual, expected), "got \"%s\", expected \"%s\"", actual, expected);
}

bool guid_check(const char* name, const GUID& actual, const GUID& expected) {
    return check(name, actual == expected, "got %s, expected %s", guid_text(actual), guid_text(expected));
}

// ---- loading ---------------------------------------------------------------------------------------

bool load(Component& c) {
    section("loading");
    step("LoadLibrary");
    c.module = LoadLibraryExA(c.path, nullptr, kLoadWithAlteredSearchPath);
    if (!check("the DLL loads", c.module != nullptr, "LoadLibraryEx(%s) failed, error %u", c.path,
               static_cast<u32>(GetLastError())))
        return false;
    entry_point entry = reinterpret_cast<entry_point>(GetProcAddress(c.module, "foobar2000_get_interface"));
    if (!check("exports foobar2000_get_interface", entry != nullptr)) return false;
    step("foobar2000_get_interface");
    c.client = entry(&g_api, c.module);
    if (!check("foobar2000_get_interface returns the client", c.client != nullptr)) return false;
    step("set_library_path");
    c.client->set_library_path(c.path, kLibraryName);
    return true;
}

void check_client(Component& c) {
    section("client");
    step("get_version");
    u32 version = c.client->get_version();
    check("get_version is 80", version == 80, "got %u", version);
    step("is_debug");
    check("is_debug is false", !c.client->is_debug());
}

// The player sees the factory list from the last registered service back to the first. Each
// factory found hands out its instance, also when the list is not what it should be, so that the
// other checks still run on what is there.
void check_factories(Component& c) {
    section("factories");
    struct Expected {
        const GUID* cls;
        ref<service_base>* slot;
        const char* name;
    };
    const Expected expected[] = {
        {&cls::preferences_page, &c.prefs, "preferences_page"},
        {&cls::mainmenu_commands, &c.menu_commands, "mainmenu_commands"},
        {&cls::mainmenu_group, &c.menu_group, "mainmenu_group"},
        {&cls::initquit, &c.startup, "initquit"},
        {&cls::componentversion, &c.version, "componentversion"},
        {&cls::installation_validator, &c.validator, "component_installation_validator"},
    };
    constexpr int kExpected = sizeof expected / sizeof expected[0];
    step("get_service_list");
    service_factory* factory = c.client->get_service_list();
    int index = 0;
    bool order_ok = true;
    for (; factory && index < 32; factory = factory->next, ++index) {
        const GUID& cls = *factory->class_guid;
        if (index >= kExpected || cls != *expected[index].cls) {
            order_ok = false;
            note("factory %d has class %s, expected %s", index, guid_text(cls),
                 index < kExpected ? guid_text(*expected[index].cls) : "the end of the list");
        }
        for (const Expected& e : expected) {
            if (cls != *e.cls || *e.slot) continue;
            step(e.name);
            factory->instance_create(*e.slot);
        }
    }
    check("six factories, in the order the player sees them", order_ok && index == kExpected && !factory,
          "%d factories found", index);
    // Each instance answers for its own class and for nothing unrelated.
    for (const Expected& e : expected) {
        char name[128];
        wsprintfA(name, "the %s factory creates an instance", e.name);
        if (!check(name, static_cast<bool>(*e.slot))) continue;
        step(e.name);
        ref<service_base> own, unrelated;
        wsprintfA(name, "%s answers a query for its class, not for another", e.name);
        bool answers_own = (*e.slot)->service_query(own, *e.cls) && own.get() == e.slot->get();
        bool answers_other = (*e.slot)->service_query(unrelated, cls::playback_control) || unrelated;
        check(name, answers_own && !answers_other, "own %d (%p for %p), unrelated %d", answers_own, own.get(),
              e.slot->get(), answers_other);
    }
}

void check_version_texts(Component& c) {
    section("componentversion");
    componentversion* version = as<componentversion>(c.version);
    HostString file, name, number, about;
    step("componentversion");
    version->get_file_name(file);
    version->get_component_name(name);
    version->get_component_version(number);
    version->get_about_message(about);
    text_check("file name is the library name", file.get_ptr(), kLibraryName);
    text_check("component name", name.get_ptr(), "Foobar2000 Trelvane");
    text_check("component version", number.get_ptr(), "0.6.7.5");
    const char* kAboutStart = "Control the playback functions of Foobar2000 - the ultimate tray plugin.\n\n";
    check("about text: the tagline, two line feeds, then a notice line",
          text_starts_with(about.get_ptr(), kAboutStart) && about.get_length() > text_length(kAboutStart) &&
              about.get_ptr()[text_length(kAboutStart)] != '\n',
          "got \"%s\"", about.get_ptr());
}

void check_validator(Component& c) {
    section("installation validator");
    auto* validator = as<component_installation_validator>(c.validator);
    step("is_installed_correctly");
    struct Case {
        const char* path;
        bool expected;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Program Files\\foobar2000\\components\\foo_Trelvane.dll", true, "installed as foo_Trelvane.dll"},
        {"C:\\Program Files\\foobar2000\\components\\foo_trelvane.dll", false, "another letter case is refused"},
        {"C:\\Program Files\\foobar2000\\components\\foo_other.dll", false, "another file name is refused"},
        {"C:/profile/user-components/foo_Trelvane/foo_Trelvane.dll", true, "a path with '/' is split there"},
    };
    for (const Case& test : cases) {
        c.client->set_library_path(test.path, kLibraryName);
        bool answer = validator->is_installed_correctly();
        check(test.name, answer == test.expected, "is_installed_correctly(\"%s\") = %d", test.path, answer);
    }
    c.client->set_library_path(c.path, kLibraryName);
}

// ---- start-up and playback -------------------------------------------------------------------------

void check_startup(Component& c) {
    section("start-up");
    step("services_init(true)");
    c.client->services_init(true);
    g_api.initializing = true;
    step("initquit::on_init");
    as<initquit>(c.startup)->on_init();
    g_api.initializing = false;
    pump_messages();
    check("on_init registers one play callback", g_callbacks.registrations == 1 && g_callbacks.callback,
          "%d registrations", g_callbacks.registrations);
    check("play callback mask is 0x31F", g_callbacks.flags == 0x31F, "got 0x%X", g_callbacks.flags);
    check("play callback asks for the current state", g_callbacks.forward);
    check("on_init releases the play_callback_manager", g_callbacks.refs == 1, "count %d", g_callbacks.refs);
    bool tooltip_compiled = false;
    for (int i = 0; i < g_compiler.pattern_count; ++i)
        tooltip_compiled |= text_equal(g_compiler.patterns[i], "[%artist% - ]%title%");
    check("the tooltip script \"[%artist% - ]%title%\" is compiled", tooltip_compiled, "%d patterns compiled",
          g_compiler.pattern_count);
}

// Passing the track by value: the player's compiler makes a copy (one reference more) and the
// callee destroys it, so the count must be back where it was when the call returns.
// The cover loader: the component listens, asks for the current cover, takes a reported one by
// value (and releases it), whatever its bytes are; all its references are back after the quit.
void check_covers() {
    section("covers");
    if (!check("the component listens to the cover loader", g_covers.listener != nullptr && g_covers.adds == 1,
               "adds %d", g_covers.adds))
        return;
    check("it asks for the cover already loaded", g_covers.current_calls >= 1);
    const int refs_before = g_cover.refs;
    step("on_album_art");
    g_covers.listener->on_album_art(ref<album_art_data>(&g_cover));
    pump_messages();
    check("on_album_art releases its by-value picture", g_cover.refs == refs_before, "count %d, expected %d",
          g_cover.refs, refs_before);
}

void check_playback_events() {
    section("playback events");
    play_callback* callback = g_callbacks.callback;
    if (!check("a play callback is registered", callback != nullptr)) return;
    ref<metadb_handle> track(&g_track);
    const int refs_before = g_track.refs;
    g_playback.playing = true;
    step("on_playback_starting");
    callback->on_playback_starting(1, false);
    step("on_playback_new_track");
    callback->on_playback_new_track(track);
    pump_messages();
    check("on_playback_new_track releases its by-value track", g_track.refs == refs_before, "count %d, expected %d",
          g_track.refs, refs_before);
    check("the new track's title is formatted with format_title", g_track.format_title_calls >= 1);
    check("format_title gets a script from titleformat_compiler", g_track.script_was_ours);
    check("the component's string answers add_string/get_ptr/set_string/truncate/get_length/lock_buffer",
          g_track.probe.calls >= 1 && g_track.probe.ok, "%s", g_track.probe.problem);

    step("on_playback_pause");
    callback->on_playback_pause(true);
    g_playback.paused = true;
    callback->on_playback_pause(false);
    g_playback.paused = false;
    step("on_playback_seek / on_playback_time / on_volume_change");
    callback->on_playback_seek(30.0);
    callback->on_playback_time(31.0);
    callback->on_volume_change(-10.0f);
    step("on_playback_edited");
    const int refs_before_edited = g_track.refs;
    callback->on_playback_edited(track);
    check("on_playback_edited releases its by-value track", g_track.refs == refs_before_edited, "count %d, expected %d",
          g_track.refs, refs_before_edited);
    pump_messages();
    check("every track reference taken during playback is given back",
          g_track.refs == refs_before && g_track.container.refs == 1, "track count %d, info container count %d",
          g_track.refs, g_track.container.refs);
}

void stop_playback() {
    step("on_playback_stop");
    g_playback.playing = false;
    g_callbacks.callback->on_playback_stop(0);
    pump_messages();
}

// ---- main menu ---------------------------------------------------------------------------------------

void check_menu_group(Component& c) {
    section("main-menu group");
    ref<service_base> popup_service;
    step("mainmenu_group::service_query");
    bool is_popup = c.menu_group->service_query(popup_service, cls::mainmenu_group_popup);
    if (!check("answers mainmenu_group_popup", is_popup && popup_service)) return;
    ref<service_base> base;
    check("answers mainmenu_group", c.menu_group->service_query(base, cls::mainmenu_group) && base);
    ref<service_base> none;
    check("does not answer mainmenu_group_popup_v2",
          !c.menu_group->service_query(none, cls::mainmenu_group_popup_v2) && !none);
    auto* popup = as<mainmenu_group_popup>(popup_service);
    step("mainmenu_group_popup");
    guid_check("group GUID", popup->get_guid(), trelvane::menu_group);
    guid_check("group parent is View", popup->get_parent(), known::menu_view);
    u32 priority = popup->get_sort_priority();
    check("group sort priority is 0", priority == 0, "got 0x%X", priority);
    HostString display;
    popup->get_display_string(display);
    text_check("group display string", display.get_ptr(), "Trelvane");
}

// The slider mode as stored in the configuration: 0 or 1, -1 when it cannot be read.
int stored_volume_slider(foobar2000_client* client);

void check_menu_commands(Component& c) {
    section("main-menu commands");
    auto* commands = as<mainmenu_commands>(c.menu_commands);
    struct Command {
        const GUID* guid;
        const char* name;
    };
    const Command expected[] = {
        {&trelvane::command_show_song, "Show current song info"},
        {&trelvane::command_delete_song, "Delete current song"},
        {&trelvane::command_reset_icons, "Reset Icons"},
        {&trelvane::command_toggle_slider, "Toggle volume slider"},
    };
    step("mainmenu_commands");
    u32 count = commands->get_command_count();
    check("four commands", count == 4, "got %u", count);
    guid_check("commands' parent is the Trelvane group", commands->get_parent(), trelvane::menu_group);
    u32 priority = commands->get_sort_priority();
    check("commands' sort priority is 0x80000000", priority == 0x80000000u, "got 0x%X", priority);
    char name[64];
    for (u32 i = 0; i < 4 && i < count; ++i) {
        wsprintfA(name, "command %u GUID", i);
        guid_check(name, commands->get_command(i), *expected[i].guid);
        HostString text, display, description;
        commands->get_name(i, text);
        wsprintfA(name, "command %u name", i);
        text_check(name, text.get_ptr(), expected[i].name);
        u32 flags = 0xFFFF;
        bool shown = commands->get_display(i, display, flags);
        wsprintfA(name, "command %u displayed by name, enabled, unchecked", i);
        check(name, shown && flags == 0 && text_equal(display.get_ptr(), expected[i].name),
              "returned %d, flags %u, text \"%s\"", shown, flags, display.get_ptr());
        wsprintfA(name, "command %u has no description", i);
        check(name, !commands->get_description(i, description));
    }

    // The context travels by value; the callee releases its copy.
    Context context;
    int slider_before = stored_volume_slider(c.client);
    {
        ref<service_base> argument(&context);
        step("mainmenu_commands::execute(3)");
        commands->execute(3, argument);
        pump_messages();
    }
    check("execute releases its by-value context", context.refs == 1, "count %d, expected 1", context.refs);
    int slider_after = stored_volume_slider(c.client);
    check("\"Toggle volume slider\" flips the stored slider mode",
          slider_before >= 0 && slider_after == 1 - slider_before, "before %d, after %d", slider_before, slider_after);
    commands->execute(3, ref<service_base>(&context));
    check("a second toggle brings it back", slider_before >= 0 && stored_volume_slider(c.client) == slider_before);
}

// ---- preferences page ------------------------------------------------------------------------------

void check_preferences_page(Component& c) {
    section("preferences page");
    step("preferences_page::service_query");
    ref<service_base> v3, v2, v1, v4;
    check("answers preferences_page_v3", c.prefs->service_query(v3, cls::preferences_page_v3) && v3);
    check("answers preferences_page_v2", c.prefs->service_query(v2, cls::preferences_page_v2) && v2);
    check("answers preferences_page", c.prefs->service_query(v1, cls::preferences_page) && v1);
    check("does not answer preferences_page_v4", !c.prefs->service_query(v4, cls::preferences_page_v4) && !v4);
    if (!v3) return;
    auto* page = as<preferences_page_v3>(v3);
    step("preferences_page");
    text_check("page name", page->get_name(), "Trelvane");
    guid_check("page GUID", page->get_guid(), trelvane::prefs_page);
    guid_check("page parent is Tools", page->get_parent_guid(), known::prefs_tools);
    double priority = page->get_sort_priority();
    check("page sort priority is the default 0", priority == 0.0);
    HostString help;
    check("page has a help address", page->get_help_url(help) && help.get_length() > 0);

    HWND parent = create_window("Preferences");
    PageCallback callback;
    {
        step("preferences_page_v3::instantiate");
        ref<preferences_page_instance> instance = page->instantiate(parent, ref<preferences_page_callback>(&callback));
        pump_messages();
        if (check("instantiate returns an instance", static_cast<bool>(instance))) {
            step("preferences_page_instance");
            HWND window = instance->get_wnd();
            check("the page is a child window of the given parent",
                  window && IsWindow(window) && GetParent(window) == parent, "get_wnd %p, its parent %p, expected %p",
                  window, window ? GetParent(window) : nullptr, parent);
            u32 state = instance->get_state();
            check("a page just opened is resettable and unchanged (state 8)", state == 8, "got 0x%X", state);
            check("the page keeps one reference to the callback", callback.refs == 2, "count %d", callback.refs);
            check("the page tells the player its state once it is filled", callback.state_changes >= 1);
        }
    }
    pump_messages();
    check("releasing the page releases the callback", callback.refs == 1, "count %d", callback.refs);
    DestroyWindow(parent);
}

// ---- configuration -----------------------------------------------------------------------------------

// One record of the configuration blob: GUID, u32 payload size, payload.
struct Record {
    GUID guid;
    const unsigned char* payload;
    u32 size;
};

struct Blob {
    static constexpr usize kCapacity = 65536;
    unsigned char data[kCapacity];
    usize size;
};
Blob g_saved, g_scratch;

bool read_config(foobar2000_client* client, Blob& out) {
    g_blob.clear();
    client->get_config(&g_blob, g_abort);
    if (g_blob.overflow) return false;
    memcpy(out.data, g_blob.data, g_blob.size);
    out.size = g_blob.size;
    return true;
}

void write_config(foobar2000_client* client, const unsigned char* data, usize size, int* throwing_calls = nullptr) {
    BlobReader reader(data, size);
    client->set_config(&reader, g_abort);
    if (throwing_calls) *throwing_calls += reader.throwing_slot_calls;
}

// Walks the records; false when the blob does not end exactly after the last one.
bool parse(const Blob& blob, Record* records, int capacity, int& count) {
    count = 0;
    usize at = 0;
    while (at < blob.size) {
        if (blob.size - at < 20 || count == capacity) return false;
        Record& r = records[count++];
        memcpy(&r.guid, blob.data + at, 16);
        memcpy(&r.size, blob.data + at + 16, 4);
        r.payload = blob.data + at + 20;
        if (r.size > blob.size - at - 20) return false;
        at += 20 + r.size;
    }
    return true;
}

const Record* find(const Record* records, int count, const GUID& guid) {
    for (int i = 0; i < count; ++i)
        if (records[i].guid == guid) return &records[i];
    return nullptr;
}

int stored_volume_slider(foobar2000_client* client) {
    Record records[64];
    int count = 0;
    if (!read_config(client, g_scratch) || !parse(g_scratch, records, 64, count)) return -1;
    const Record* r = find(records, count, trelvane::cfg_volume_slider);
    return r && r->size == 1 && r->payload[0] <= 1 ? r->payload[0] : -1;
}

bool same_blob(const Blob& a, const Blob& b) { return a.size == b.size && memcmp(a.data, b.data, a.size) == 0; }

// A damaged blob must neither crash the component nor change a value: every record before the
// damage carries the value already stored, and what is cut short is ignored.
void check_damaged_configuration(Component& c, const Record* records, int count) {
    static unsigned char damaged[Blob::kCapacity];
    const usize last_record = static_cast<usize>(records[count - 1].payload - g_saved.data) - 20;
    const Record* hide_after = find(records, count, trelvane::cfg_balloon_hide_after);
    struct Case {
        const char* name;
        usize cut; // keep this many bytes of the saved blob
    };
    const Case cuts[] = {
        {"a blob cut inside the first GUID changes nothing", 10},
        {"a blob cut inside the last record's size changes nothing", last_record + 18},
        {"a blob cut inside an integer's payload changes nothing",
         hide_after ? static_cast<usize>(hide_after->payload - g_saved.data) + 2 : 0},
    };
    for (const Case& test : cuts) {
        if (!test.cut) continue;
        step(test.name);
        write_config(c.client, g_saved.data, test.cut);
        check(test.name, read_config(c.client, g_scratch) && same_blob(g_scratch, g_saved));
    }

    // A known boolean with an empty payload keeps its value.
    memcpy(damaged, &trelvane::cfg_volume_slider, 16);
    memset(damaged + 16, 0, 4);
    step("an empty payload");
    write_config(c.client, damaged, 20);
    check("a known variable with an empty payload keeps its value",
          read_config(c.client, g_scratch) && same_blob(g_scratch, g_saved));

    u32 seed = 0x5EED1234;
    for (usize i = 0; i < 256; ++i) {
        seed = seed * 1664525u + 1013904223u;
        damaged[i] = static_cast<unsigned char>(seed >> 24);
    }
    step("a garbage blob");
    write_config(c.client, damaged, 256);
    check("a garbage blob changes nothing", read_config(c.client, g_scratch) && same_blob(g_scratch, g_saved));
}

void check_configuration(Component& c) {
    section("configuration");
    step("get_config");
    Record records[64];
    int count = 0;
    if (!check("get_config writes a blob of GUID/size/payload records",
               read_config(c.client, g_saved) && parse(g_saved, records, 64, count) && count > 0,
               "%u bytes, %d records", static_cast<u32>(g_saved.size), count))
        return;
    struct Variable {
        const GUID* guid;
        const char* name;
        int size; // payload size, or -1 for text
    };
    const Variable variables[] = {
        {&trelvane::cfg_volume_slider, "VolumeSlider", 1},
        {&trelvane::cfg_show_balloon, "ShowBalloon", 1},
        {&trelvane::cfg_show_balloon_on_stream, "ShowBalloonOnStream", 1},
        {&trelvane::cfg_auto_volume_on_stream, "AutoVolumeOnStream", 1},
        {&trelvane::cfg_pause_on_screen_saver, "PauseOnScreenSaver", 1},
        {&trelvane::cfg_balloon_hide_after, "BalloonHideAfter", 4},
        {&trelvane::cfg_language, "Language", 4},
        {&trelvane::cfg_windows7_notice_shown, "Windows7NoticeShown", 1},
        {&trelvane::cfg_balloon_title, "BalloonTitle", -1},
        {&trelvane::cfg_balloon_format, "BalloonFormat", -1},
        {&trelvane::cfg_skin_name, "SkinName", -1},
        {&trelvane::cfg_show_card, "ShowCard", 1},
    };
    bool all_found = true;
    for (const Variable& v : variables) {
        const Record* r = find(records, count, *v.guid);
        if (!r) {
            all_found = false;
            note("no record for %s (%s)", v.name, guid_text(*v.guid));
        } else if (v.size >= 0 && r->size != static_cast<u32>(v.size)) {
            all_found = false;
            note("%s has a payload of %u bytes, expected %d", v.name, r->size, v.size);
        }
    }
    check("the blob holds all twelve variables, booleans in 1 byte, integers in 4", all_found && count == 12,
          "%d records", count);

    // Flip VolumeSlider in a copy and give it back.
    const Record* slider = find(records, count, trelvane::cfg_volume_slider);
    if (slider && slider->size == 1) {
        const int old_value = slider->payload[0];
        memcpy(g_scratch.data, g_saved.data, g_saved.size);
        g_scratch.size = g_saved.size;
        g_scratch.data[slider->payload - g_saved.data] = static_cast<unsigned char>(!old_value);
        int throwing_calls = 0;
        step("set_config");
        write_config(c.client, g_scratch.data, g_scratch.size, &throwing_calls);
        Blob& after = g_scratch; // the flipped copy is no longer needed as such
        int now = stored_volume_slider(c.client);
        check("set_config of a blob with VolumeSlider flipped changes it", now == !old_value,
              "stored %d after setting %d", now, !old_value);
        write_config(c.client, g_saved.data, g_saved.size, &throwing_calls);
        check("set_config of the saved blob restores every value",
              read_config(c.client, after) && same_blob(after, g_saved));
        check("set_config reads without the reader's throwing slots", throwing_calls == 0, "%d calls to slot 1/3",
              throwing_calls);
    }
    check_damaged_configuration(c, records, count);
}

// ---- failures ----------------------------------------------------------------------------------------

// With a core service missing the component's call fails inside; it must report that to the user
// through popup_message and return normally, releasing what it was given.
void check_failure_reported(Component& c) {
    section("a failure inside a call");
    g_api.hide(cls::playback_control, true);
    const int popups_before = g_popups.shown;
    Context context;
    step("execute(0) without playback_control");
    as<mainmenu_commands>(c.menu_commands)->execute(0, ref<service_base>(&context));
    g_api.hide(cls::playback_control, false);
    pump_messages();
    check("\"Show current song info\" without playback_control returns normally", true);
    check("the failure is reported through popup_message", g_popups.shown > popups_before, "%d messages shown",
          g_popups.shown - popups_before);
    if (g_popups.shown > popups_before) {
        text_check("the report is titled Trelvane", g_popups.last_title, "Trelvane");
        check("the report carries a message", g_popups.last_message[0] != 0);
    }
    check("the failed execute still releases its context", context.refs == 1, "count %d", context.refs);
}

// ---- shut-down ---------------------------------------------------------------------------------------

void shut_down(Component& c) {
    section("shut-down");
    if (c.startup) {
        step("initquit::on_quit");
        as<initquit>(c.startup)->on_quit();
        pump_messages();
        check("on_quit returns", true);
    }
    g_api.shutting_down = true;
    step("services_init(false)");
    c.client->services_init(false);
    c.validator.set(nullptr);
    c.version.set(nullptr);
    c.startup.set(nullptr);
    c.menu_group.set(nullptr);
    c.menu_commands.set(nullptr);
    c.prefs.set(nullptr);
    check("the cover listener is removed at quit", g_covers.removes >= 1 && g_covers.listener == nullptr,
          "removes %d", g_covers.removes);
    step("FreeLibrary");
    check("FreeLibrary", FreeLibrary(c.module) != 0);
    // No messages are dispatched from here on: a window or timer the component left behind would
    // lead into unloaded code, which only matters to a player that goes on running.
    int scripts_held = 0;
    for (int i = 0; i < g_compiler.compiled; ++i) scripts_held += g_compiler.scripts[i].refs - 1;
    check("after unloading no reference to the player's objects is left",
          scripts_held == 0 && g_track.refs == 1 && g_playback.refs == 1 && g_compiler.refs == 1 &&
              g_popups.refs == 1 && g_callbacks.refs == 1 && g_covers.refs == 1 && g_cover.refs == 1,
          "scripts %d, track %d, playback_control %d, compiler %d, popup_message %d, play_callback_manager %d",
          scripts_held, g_track.refs - 1, g_playback.refs - 1, g_compiler.refs - 1, g_popups.refs - 1,
          g_callbacks.refs - 1);
}

void offer_core_services() {
    g_api.offer(cls::play_callback_manager, &g_callbacks);
    g_api.offer(cls::playback_control, &g_playback);
    g_api.offer(cls::titleformat_compiler, &g_compiler);
    g_api.offer(cls::popup_message, &g_popups);
    g_api.offer(cls::now_playing_album_art_notify_manager, &g_covers);
    g_covers.cover = &g_cover;
    g_playback.track = &g_track;
    g_track.compiler = &g_compiler;
}

void run(Component& c) {
    if (!load(c)) return;
    check_client(c);
    check_factories(c);
    // Each group needs the service it checks; a missing one has already failed above.
    if (c.version) check_version_texts(c);
    if (c.validator) check_validator(c);
    if (c.startup) check_startup(c);
    check_playback_events();
    check_covers();
    if (c.menu_group) check_menu_group(c);
    if (c.menu_commands) check_menu_commands(c);
    if (c.prefs) check_preferences_page(c);
    check_configuration(c);
    if (g_callbacks.callback) stop_playback();
    if (c.menu_commands) check_failure_reported(c);
    for (int i = 0; i < g_api.unknown_count; ++i)
        note("the component asked for class %s, not offered here", guid_text(g_api.unknown[i]));
    shut_down(c);
}

} // namespace

extern "C" int mainCRTStartup() {
    install_crash_report();
    Component c;
    if (!dll_path_from_command_line(c.path, sizeof c.path)) {
        print("usage: conformance.exe PATH-TO-foo_Trelvane.dll\n");
        ExitProcess(2);
    }
    printf_out("conformance host (%s) loading %s\n", sizeof(void*) == 8 ? "x64" : "x86", c.path);
    offer_core_services();
    g_api.main_window = create_window("Conformance host");
    run(c);
    ExitProcess(report_summary() ? 1 : 0);
}
