// The player's side of the contract, as small as the checks allow: the core services the
// component looks up, a track, strings and streams. Every object counts its references so that
// the checks can see whether the component gives back what it takes.
#pragma once
#include "abi.h"

// Reference counting of an object that the host owns (its own reference is the first one).
template <class Iface> class Counted : public Iface {
public:
    int refs = 1;
    int service_release() override { return --refs; }
    int service_add_ref() override { return ++refs; }

protected:
    bool answer(ref<service_base>& out, const GUID& iid, const GUID& own) {
        if (iid != own) return false;
        out.set(this);
        return true;
    }
};

class HostString : public string_base {
public:
    void add_string(const char* text, usize length) override;
    const char* get_ptr() const override { return text_; }
    void set_string(const char* text, usize length) override;
    void truncate(usize length) override;
    usize get_length() const override { return length_; }
    char* lock_buffer(usize length) override;
    void unlock_buffer() override;

private:
    static constexpr usize kCapacity = 4096;
    char text_[kCapacity] = {};
    usize length_ = 0;
};

class Abort : public abort_callback {
public:
    bool is_aborting() const override { return false; }
    HANDLE get_abort_event() const override;
};

class BlobWriter : public stream_writer {
public:
    void write(const void* buffer, usize bytes, abort_callback& abort) override;
    void clear() {
        size = 0;
        overflow = false;
    }
    static constexpr usize kCapacity = 65536;
    unsigned char data[kCapacity] = {};
    usize size = 0;
    bool overflow = false;
};

// Hands out a fixed blob. Slots 1 and 3 report a short read by throwing in the real player, which
// a component cannot catch: they only count here, so that a check can demand they stay unused.
class BlobReader : public stream_reader {
public:
    BlobReader(const unsigned char* data, usize size) : data_(data), size_(size) {}
    usize read(void* buffer, usize bytes, abort_callback& abort) override;
    void read_object(void* buffer, usize bytes, abort_callback& abort) override;
    u64 skip(u64 bytes, abort_callback& abort) override;
    void skip_object(u64 bytes, abort_callback& abort) override;
    int throwing_slot_calls = 0;

private:
    const unsigned char* data_;
    usize size_;
    usize position_ = 0;
};

class Location : public playable_location {
public:
    const char* get_path() const override { return "file://C:\\Music\\Conformance - Track.flac"; }
    void set_path(const char*) override {}
    u32 get_subsong() const override { return 0; }
    void set_subsong(u32) override {}
};

class Info : public file_info {
public:
    double get_length() const override { return 215.0; }
    void set_length(double) override {}
};

class InfoContainer : public Counted<metadb_info_container> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    const file_info& info() override { return info_; }
    const file_stats& stats() override { return stats_; }
    bool isInfoPartial() override { return false; }

private:
    Info info_;
    file_stats stats_ = {1234567, 0};
};

// What the host writes into a component's string, and how it reads it back.
struct StringProbe {
    int calls = 0;
    bool ok = true;
    char problem[200] = {};
    void write_title(string_base& out);
};

class TitleScript : public Counted<titleformat_object> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    void run(titleformat_hook* hook, string_base& out, titleformat_text_filter* filter) override;
    char pattern[256] = {};
    StringProbe probe;
};

class Compiler : public Counted<titleformat_compiler> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    bool compile(ref<titleformat_object>& out, const char* pattern) override;
    static constexpr int kScripts = 16;
    TitleScript scripts[kScripts];
    int compiled = 0; // scripts in use at some time
    int compile_calls = 0;
    char patterns[kScripts][256] = {}; // every distinct pattern compiled
    int pattern_count = 0;
    bool owns(const titleformat_object* script) const;

private:
    void record_pattern(const char* pattern);
};

class Track : public Counted<metadb_handle> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    const playable_location& get_location() const override { return location_; }
    bool format_title(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                      titleformat_text_filter* filter) override;
    void metadb_lock() override {}
    void metadb_unlock() override {}
    file_stats get_filestats() const override { return file_stats{1234567, 0}; }
    bool is_info_loaded() const override { return true; }
    bool get_info(file_info&) const override { return false; }
    bool get_info_locked(const file_info**) const override { return false; }
    bool is_info_loaded_async() const override { return true; }
    bool get_info_async(file_info&) const override { return false; }
    bool get_info_async_locked(const file_info**) const override { return false; }
    void format_title_from_external_info(const file_info&, titleformat_hook*, string_base& out,
                                         const ref<titleformat_object>&, titleformat_text_filter*) override;
    bool format_title_nonlocking(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                                 titleformat_text_filter* filter) override;
    void format_title_from_external_info_nonlocking(const file_info&, titleformat_hook*, string_base& out,
                                                    const ref<titleformat_object>&, titleformat_text_filter*) override;
    bool get_browse_info(file_info&, u64&) const override { return false; }
    bool get_browse_info_locked(const file_info**, u64&) const override { return false; }
    ref<metadb_info_container> get_info_ref() const override;
    bool get_info_ref_into(ref<metadb_info_container>& out) const override;
    ref<metadb_info_container> get_async_info_ref() const override;
    bool get_async_info_ref_into(ref<metadb_info_container>& out) const override;
    void get_browse_info_ref(ref<metadb_info_container>& info, ref<metadb_info_container>& browse) const override;

    const Compiler* compiler = nullptr; // to tell the host's own scripts from anything else
    int format_title_calls = 0;
    bool script_was_ours = true;
    StringProbe probe;
    mutable InfoContainer container;

private:
    Location location_;
};

class CallbackManager : public Counted<play_callback_manager> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    void register_callback(play_callback* callback, u32 flags, bool forward_status) override;
    void unregister_callback(play_callback* callback) override;
    play_callback* callback = nullptr;
    u32 flags = 0;
    bool forward = false;
    int registrations = 0;
};

class Playback : public Counted<playback_control> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    bool get_now_playing(ref<metadb_handle>& out) override;
    void start(int, bool paused_) override { playing = true, paused = paused_; }
    void stop() override { playing = false, paused = false; }
    bool is_playing() override { return playing; }
    bool is_paused() override { return paused; }
    void pause(bool state) override { paused = state; }
    bool get_stop_after_current() override { return false; }
    void set_stop_after_current(bool) override {}
    void set_volume(float db) override { volume = db; }
    float get_volume() override { return volume; }
    void volume_up() override {}
    void volume_down() override {}
    void volume_mute_toggle() override {}
    void playback_seek(double seconds) override { position = seconds; }
    void playback_seek_delta(double seconds) override { position += seconds; }
    bool playback_can_seek() override { return playing; }
    double playback_get_position() override { return position; }
    bool playback_format_title(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                               titleformat_text_filter* filter, int level) override;
    Track* track = nullptr;
    bool playing = false;
    bool paused = false;
    float volume = -6.0f;
    double position = 12.5;
};

class Popups : public Counted<popup_message> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    void show_ex(const char* message, usize message_length, const char* title, usize title_length, int icon) override;
    int shown = 0;
    char last_message[512] = {};
    char last_title[128] = {};
    int last_icon = -1;
};

// A picture's bytes (not a real picture: the component must survive whatever it is given).
class CoverBytes : public Counted<album_art_data> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    const void* data() const override { return "not a picture"; }
    usize size() const override { return 13; }
};

// The player's loader of the playing track's cover: one listener at a time.
class CoverLoader : public Counted<now_playing_album_art_notify_manager> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    void add(now_playing_album_art_notify* notify) override;
    void remove(now_playing_album_art_notify* notify) override;
    ref<album_art_data> current() override;
    now_playing_album_art_notify* listener = nullptr;
    CoverBytes* cover = nullptr;
    int adds = 0, removes = 0, current_calls = 0;
};

class PageCallback : public Counted<preferences_page_callback> {
public:
    bool service_query(ref<service_base>& out, const GUID& iid) override;
    void on_state_changed() override { ++state_changes; }
    int state_changes = 0;
};

// A context object for main-menu commands: only its reference count matters.
class Context : public Counted<service_base> {
public:
    bool service_query(ref<service_base>&, const GUID&) override { return false; }
};

// The host's core interface: a fixed table of core services, one instance each. A class can be
// hidden, which makes it look absent (count 0), to see how the component copes.
class Api : public foobar2000_api {
public:
    struct Entry {
        const GUID* cls;
        service_base* service;
        bool hidden;
    };
    const void* service_enum_find_class(const GUID& cls) override;
    bool service_enum_create(ref<service_base>& out, const void* cls, usize index) override;
    usize service_enum_get_count(const void* cls) override;
    HWND get_main_window() override { return main_window; }
    bool assert_main_thread() override { return true; }
    bool is_main_thread() override { return true; }
    bool is_shutting_down() override { return shutting_down; }
    const char* get_profile_path() override { return "file://C:\\users\\Public\\trelvane-conformance"; }
    bool is_initializing() override { return initializing; }
    bool is_portable_mode_enabled() override { return false; }
    bool is_quiet_mode_enabled() override { return false; }

    void offer(const GUID& cls, service_base* service);
    void hide(const GUID& cls, bool hidden);
    HWND main_window = nullptr;
    bool initializing = true;
    bool shutting_down = false;
    static constexpr int kMaxUnknown = 8;
    GUID unknown[kMaxUnknown] = {}; // classes asked for that this host does not offer
    int unknown_count = 0;

private:
    static constexpr int kMaxEntries = 8;
    Entry entries_[kMaxEntries] = {};
    int count_ = 0;
};
