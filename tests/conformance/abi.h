// The player's binary interface, declared the way the player itself is compiled. Built by clang
// for the MSVC targets, these plain C++ declarations get the player's conventions for free:
// class results (GUIDs, references) travel through the hidden pointer after `this`, a reference
// passed by value is destroyed by the callee, `bool` results are read from AL, floating results
// come back in XMM0 (x64) or ST(0) (x86), and member functions are __thiscall on x86.
// Every virtual slot carries its number. Where the player's interface overloads a name, the
// overloads get distinct names here, in the slot order the player's compiler gives them.
#pragma once
#include "win32.h"

struct GUID {
    u32 data1;
    unsigned short data2, data3;
    unsigned char data4[8];
};
bool operator==(const GUID& a, const GUID& b);
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

// The player's service reference: one pointer; copying adds a reference (slot 1), destruction
// releases one (slot 0). Its user-written copy constructor and destructor are what make the
// compiler pass it by value the player's way.
template <class T> class ref {
public:
    ref() : p_(nullptr) {}
    explicit ref(T* p) : p_(p) {
        if (p_) p_->service_add_ref();
    }
    ref(const ref& other) : p_(other.p_) {
        if (p_) p_->service_add_ref();
    }
    ~ref() {
        if (p_) p_->service_release();
    }
    ref& operator=(const ref& other) {
        set(other.p_);
        return *this;
    }
    void set(T* p) {
        if (p) p->service_add_ref();
        T* old = p_;
        p_ = p;
        if (old) old->service_release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_;
};

class service_base {
public:
    virtual int service_release() = 0;                                       // 0
    virtual int service_add_ref() = 0;                                       // 1
    virtual bool service_query(ref<service_base>& out, const GUID& iid) = 0; // 2
protected:
    ~service_base() = default;
};

static_assert(sizeof(ref<service_base>) == sizeof(void*), "a reference is one pointer");

// ---- strings, streams and other helpers without a service base --------------------------------

class string_base { // pfc::string_receiver + pfc::string_base
public:
    virtual void add_string(const char* text, usize length) = 0; // 0
    virtual const char* get_ptr() const = 0;                     // 1
    virtual void set_string(const char* text, usize length) = 0; // 2
    virtual void truncate(usize length) = 0;                     // 3
    virtual usize get_length() const = 0;                        // 4
    virtual char* lock_buffer(usize length) = 0;                 // 5
    virtual void unlock_buffer() = 0;                            // 6
protected:
    ~string_base() = default;
};
const usize kUntilNul = ~(usize)0;

class abort_callback {
public:
    virtual bool is_aborting() const = 0;       // 0
    virtual HANDLE get_abort_event() const = 0; // 1
protected:
    ~abort_callback() = default;
};

class stream_reader {
public:
    virtual usize read(void* buffer, usize bytes, abort_callback& abort) = 0;       // 0
    virtual void read_object(void* buffer, usize bytes, abort_callback& abort) = 0; // 1
    virtual u64 skip(u64 bytes, abort_callback& abort) = 0;                         // 2
    virtual void skip_object(u64 bytes, abort_callback& abort) = 0;                 // 3
protected:
    ~stream_reader() = default;
};

class stream_writer {
public:
    virtual void write(const void* buffer, usize bytes, abort_callback& abort) = 0; // 0
protected:
    ~stream_writer() = default;
};

class playable_location {
public:
    virtual const char* get_path() const = 0;    // 0
    virtual void set_path(const char* path) = 0; // 1
    virtual u32 get_subsong() const = 0;         // 2
    virtual void set_subsong(u32 index) = 0;     // 3
protected:
    ~playable_location() = default;
};

// Only the first slots of the track information object are part of what this host offers.
class file_info {
public:
    virtual double get_length() const = 0;       // 0
    virtual void set_length(double seconds) = 0; // 1
protected:
    ~file_info() = default;
};

struct file_stats {
    u64 size;
    u64 timestamp;
};

class titleformat_hook;
class titleformat_text_filter;

// ---- the entry point, the client and the factories --------------------------------------------

class service_factory {
public:
    virtual void instance_create(ref<service_base>& out) = 0; // 0
    service_factory* next;
    const GUID* class_guid;

protected:
    ~service_factory() = default;
};
static_assert(sizeof(service_factory) == 3 * sizeof(void*), "vptr, next, pointer to the class GUID");

class foobar2000_api {
public:
    virtual const void* service_enum_find_class(const GUID& cls) = 0;                           // 0
    virtual bool service_enum_create(ref<service_base>& out, const void* cls, usize index) = 0; // 1
    virtual usize service_enum_get_count(const void* cls) = 0;                                  // 2
    virtual HWND get_main_window() = 0;                                                         // 3
    virtual bool assert_main_thread() = 0;                                                      // 4
    virtual bool is_main_thread() = 0;                                                          // 5
    virtual bool is_shutting_down() = 0;                                                        // 6
    virtual const char* get_profile_path() = 0;                                                 // 7
    virtual bool is_initializing() = 0;                                                         // 8
    virtual bool is_portable_mode_enabled() = 0;                                                // 9
    virtual bool is_quiet_mode_enabled() = 0;                                                   // 10
protected:
    ~foobar2000_api() = default;
};

class foobar2000_client {
public:
    virtual u32 get_version() = 0;                                          // 0
    virtual service_factory* get_service_list() = 0;                        // 1
    virtual void get_config(stream_writer* out, abort_callback& abort) = 0; // 2
    virtual void set_config(stream_reader* in, abort_callback& abort) = 0;  // 3
    virtual void set_library_path(const char* path, const char* name) = 0;  // 4
    virtual void services_init(bool available) = 0;                         // 5
    virtual bool is_debug() = 0;                                            // 6
protected:
    ~foobar2000_client() = default;
};

typedef foobar2000_client*(__cdecl* entry_point)(foobar2000_api* api, HINSTANCE module);

// ---- services the component offers -------------------------------------------------------------

class initquit : public service_base {
public:
    virtual void on_init() = 0; // 3
    virtual void on_quit() = 0; // 4
};

class componentversion : public service_base {
public:
    virtual void get_file_name(string_base& out) = 0;         // 3
    virtual void get_component_name(string_base& out) = 0;    // 4
    virtual void get_component_version(string_base& out) = 0; // 5
    virtual void get_about_message(string_base& out) = 0;     // 6
};

class component_installation_validator : public service_base {
public:
    virtual bool is_installed_correctly() = 0; // 3
};

class mainmenu_commands : public service_base {
public:
    virtual u32 get_command_count() = 0;                                    // 3
    virtual GUID get_command(u32 index) = 0;                                // 4
    virtual void get_name(u32 index, string_base& out) = 0;                 // 5
    virtual bool get_description(u32 index, string_base& out) = 0;          // 6
    virtual GUID get_parent() = 0;                                          // 7
    virtual u32 get_sort_priority() = 0;                                    // 8
    virtual bool get_display(u32 index, string_base& text, u32& flags) = 0; // 9
    virtual void execute(u32 index, ref<service_base> context) = 0;         // 10
};

class mainmenu_group : public service_base {
public:
    virtual GUID get_guid() = 0;         // 3
    virtual GUID get_parent() = 0;       // 4
    virtual u32 get_sort_priority() = 0; // 5
};

class mainmenu_group_popup : public mainmenu_group {
public:
    virtual void get_display_string(string_base& out) = 0; // 6
};

class preferences_page_callback : public service_base {
public:
    virtual void on_state_changed() = 0; // 3
};

class preferences_page_instance : public service_base {
public:
    virtual u32 get_state() = 0; // 3
    virtual HWND get_wnd() = 0;  // 4
    virtual void apply() = 0;    // 5
    virtual void reset() = 0;    // 6
};

class preferences_page : public service_base {
public:
    virtual HWND create(HWND parent) = 0;            // 3 (legacy; never called here)
    virtual const char* get_name() = 0;              // 4
    virtual GUID get_guid() = 0;                     // 5
    virtual GUID get_parent_guid() = 0;              // 6
    virtual bool reset_query() = 0;                  // 7
    virtual void reset() = 0;                        // 8
    virtual bool get_help_url(string_base& out) = 0; // 9
};
class preferences_page_v2 : public preferences_page {
public:
    virtual double get_sort_priority() = 0; // 10
};
class preferences_page_v3 : public preferences_page_v2 {
public:
    virtual ref<preferences_page_instance> instantiate(HWND parent, ref<preferences_page_callback> callback) = 0; // 11
};

// ---- services the player offers -----------------------------------------------------------------

class titleformat_object : public service_base {
public:
    virtual void run(titleformat_hook* hook, string_base& out, titleformat_text_filter* filter) = 0; // 3
};

class titleformat_compiler : public service_base {
public:
    virtual bool compile(ref<titleformat_object>& out, const char* pattern) = 0; // 3
};

class metadb_info_container : public service_base {
public:
    virtual const file_info& info() = 0;   // 3
    virtual const file_stats& stats() = 0; // 4
    virtual bool isInfoPartial() = 0;      // 5
};

// Slot order as the player's compiler lays it out: overloads of one name are grouped where the
// name first appears, newly introduced overloads in reverse order (19-22).
class metadb_handle : public service_base {
public:
    virtual const playable_location& get_location() const = 0; // 3
    virtual bool format_title(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                              titleformat_text_filter* filter) = 0;      // 4
    virtual void metadb_lock() = 0;                                      // 5
    virtual void metadb_unlock() = 0;                                    // 6
    virtual file_stats get_filestats() const = 0;                        // 7
    virtual bool is_info_loaded() const = 0;                             // 8
    virtual bool get_info(file_info& out) const = 0;                     // 9
    virtual bool get_info_locked(const file_info** out) const = 0;       // 10
    virtual bool is_info_loaded_async() const = 0;                       // 11
    virtual bool get_info_async(file_info& out) const = 0;               // 12
    virtual bool get_info_async_locked(const file_info** out) const = 0; // 13
    virtual void format_title_from_external_info(const file_info& info, titleformat_hook* hook, string_base& out,
                                                 const ref<titleformat_object>& script,
                                                 titleformat_text_filter* filter) = 0; // 14
    virtual bool format_title_nonlocking(titleformat_hook* hook, string_base& out,
                                         const ref<titleformat_object>& script,
                                         titleformat_text_filter* filter) = 0; // 15
    virtual void format_title_from_external_info_nonlocking(const file_info& info, titleformat_hook* hook,
                                                            string_base& out, const ref<titleformat_object>& script,
                                                            titleformat_text_filter* filter) = 0; // 16
    virtual bool get_browse_info(file_info& out, u64& timestamp) const = 0;                       // 17
    virtual bool get_browse_info_locked(const file_info** out, u64& timestamp) const = 0;         // 18
    virtual ref<metadb_info_container> get_info_ref() const = 0;                                  // 19
    virtual bool get_info_ref_into(ref<metadb_info_container>& out) const = 0;                    // 20
    virtual ref<metadb_info_container> get_async_info_ref() const = 0;                            // 21
    virtual bool get_async_info_ref_into(ref<metadb_info_container>& out) const = 0;              // 22
    virtual void get_browse_info_ref(ref<metadb_info_container>& info,
                                     ref<metadb_info_container>& browse) const = 0; // 23
};

class play_callback { // not a service: slot 0 is the first event
public:
    virtual void on_playback_starting(int command, bool paused) = 0;        // 0
    virtual void on_playback_new_track(ref<metadb_handle> track) = 0;       // 1
    virtual void on_playback_stop(int reason) = 0;                          // 2
    virtual void on_playback_seek(double time) = 0;                         // 3
    virtual void on_playback_pause(bool state) = 0;                         // 4
    virtual void on_playback_edited(ref<metadb_handle> track) = 0;          // 5
    virtual void on_playback_dynamic_info(const file_info& info) = 0;       // 6
    virtual void on_playback_dynamic_info_track(const file_info& info) = 0; // 7
    virtual void on_playback_time(double time) = 0;                         // 8
    virtual void on_volume_change(float volume_db) = 0;                     // 9
protected:
    ~play_callback() = default;
};

class play_callback_manager : public service_base {
public:
    virtual void register_callback(play_callback* callback, u32 flags, bool forward_status) = 0; // 3
    virtual void unregister_callback(play_callback* callback) = 0;                               // 4
};

class playback_control : public service_base {
public:
    virtual bool get_now_playing(ref<metadb_handle>& out) = 0; // 3
    virtual void start(int command, bool paused) = 0;          // 4
    virtual void stop() = 0;                                   // 5
    virtual bool is_playing() = 0;                             // 6
    virtual bool is_paused() = 0;                              // 7
    virtual void pause(bool state) = 0;                        // 8
    virtual bool get_stop_after_current() = 0;                 // 9
    virtual void set_stop_after_current(bool state) = 0;       // 10
    virtual void set_volume(float db) = 0;                     // 11
    virtual float get_volume() = 0;                            // 12
    virtual void volume_up() = 0;                              // 13
    virtual void volume_down() = 0;                            // 14
    virtual void volume_mute_toggle() = 0;                     // 15
    virtual void playback_seek(double seconds) = 0;            // 16
    virtual void playback_seek_delta(double seconds) = 0;      // 17
    virtual bool playback_can_seek() = 0;                      // 18
    virtual double playback_get_position() = 0;                // 19
    virtual bool playback_format_title(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                                       titleformat_text_filter* filter, int level) = 0; // 20
};

// A block of bytes (the player's picture data).
class album_art_data : public service_base {
public:
    virtual const void* data() const = 0; // 3
    virtual usize size() const = 0;       // 4
};

// No service base: slot 0 first.
class now_playing_album_art_notify {
public:
    virtual void on_album_art(ref<album_art_data> data) = 0; // 0
};

class now_playing_album_art_notify_manager : public service_base {
public:
    virtual void add(now_playing_album_art_notify* notify) = 0;    // 3
    virtual void remove(now_playing_album_art_notify* notify) = 0; // 4
    virtual ref<album_art_data> current() = 0;                     // 5
};

class popup_message : public service_base {
public:
    virtual void show_ex(const char* message, usize message_length, const char* title, usize title_length,
                         int icon) = 0; // 3
};
