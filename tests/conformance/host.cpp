#include "host.h"

#include "guids.h"
#include "runtime.h"

// ---- strings -------------------------------------------------------------------------------------

void HostString::add_string(const char* text, usize length) {
    for (usize i = 0; i < length && text[i] && length_ + 1 < kCapacity; ++i) text_[length_++] = text[i];
    text_[length_] = 0;
}

void HostString::set_string(const char* text, usize length) {
    truncate(0);
    add_string(text, length);
}

void HostString::truncate(usize length) {
    if (length < length_) length_ = length;
    text_[length_] = 0;
}

char* HostString::lock_buffer(usize length) {
    if (length + 1 > kCapacity) return nullptr;
    for (usize i = 0; i <= length; ++i) text_[i] = 0;
    return text_;
}

void HostString::unlock_buffer() { length_ = text_length(text_); }

// Writes the title through several of the component string's slots and reads it back, so that a
// string whose slots are out of order or whose semantics differ shows up.
void StringProbe::write_title(string_base& out) {
    ++calls;
    auto fail = [&](const char* what) {
        if (ok) text_copy(problem, sizeof problem, what);
        ok = false;
    };
    out.set_string("Artist", kUntilNul);
    out.add_string(" - Title and more", 8); // at most 8 bytes: " - Title"
    if (!text_equal(out.get_ptr(), "Artist - Title")) fail("set_string/add_string/get_ptr gave another text");
    if (out.get_length() != 14) fail("get_length is not 14 after writing \"Artist - Title\"");
    out.truncate(6);
    if (!text_equal(out.get_ptr(), "Artist")) fail("truncate(6) did not leave \"Artist\"");
    char* buffer = out.lock_buffer(16);
    if (!buffer) {
        fail("lock_buffer(16) returned null");
    } else {
        text_copy(buffer, 17, "Locked");
        out.unlock_buffer();
        if (!text_equal(out.get_ptr(), "Locked") || out.get_length() != 6)
            fail("lock_buffer/unlock_buffer did not give \"Locked\" of length 6");
    }
    out.set_string("Artist - Title", kUntilNul);
}

// ---- streams -------------------------------------------------------------------------------------

HANDLE Abort::get_abort_event() const {
    static HANDLE event;
    if (!event) event = CreateEventA(nullptr, 1, 0, nullptr);
    return event;
}

void BlobWriter::write(const void* buffer, usize bytes, abort_callback&) {
    const unsigned char* p = static_cast<const unsigned char*>(buffer);
    for (usize i = 0; i < bytes; ++i) {
        if (size == kCapacity) {
            overflow = true;
            return;
        }
        data[size++] = p[i];
    }
}

usize BlobReader::read(void* buffer, usize bytes, abort_callback&) {
    usize n = 0;
    unsigned char* p = static_cast<unsigned char*>(buffer);
    while (n < bytes && position_ < size_) p[n++] = data_[position_++];
    return n;
}

void BlobReader::read_object(void* buffer, usize bytes, abort_callback& abort) {
    ++throwing_slot_calls;
    read(buffer, bytes, abort);
}

u64 BlobReader::skip(u64 bytes, abort_callback&) {
    u64 left = size_ - position_;
    u64 n = bytes < left ? bytes : left;
    position_ += static_cast<usize>(n);
    return n;
}

void BlobReader::skip_object(u64 bytes, abort_callback& abort) {
    ++throwing_slot_calls;
    skip(bytes, abort);
}

// ---- titles and tracks ---------------------------------------------------------------------------

bool TitleScript::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::titleformat_object);
}

void TitleScript::run(titleformat_hook*, string_base& out, titleformat_text_filter*) { probe.write_title(out); }

bool Compiler::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::titleformat_compiler);
}

// A script nobody holds any more (only the host's own reference left) is handed out again, so
// that a component compiling a pattern per track does not run out.
bool Compiler::compile(ref<titleformat_object>& out, const char* pattern) {
    TitleScript* script = nullptr;
    for (int i = 0; i < compiled && !script; ++i)
        if (scripts[i].refs == 1) script = &scripts[i];
    if (!script && compiled < kScripts) script = &scripts[compiled++];
    if (!script) return false;
    ++compile_calls;
    text_copy(script->pattern, sizeof script->pattern, pattern);
    record_pattern(pattern);
    out.set(script);
    return true;
}

void Compiler::record_pattern(const char* pattern) {
    for (int i = 0; i < pattern_count; ++i)
        if (text_equal(patterns[i], pattern)) return;
    if (pattern_count < kScripts) text_copy(patterns[pattern_count++], sizeof patterns[0], pattern);
}

bool Compiler::owns(const titleformat_object* script) const {
    for (int i = 0; i < compiled; ++i)
        if (script == &scripts[i]) return true;
    return false;
}

bool InfoContainer::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::metadb_info_container);
}

bool Track::service_query(ref<service_base>& out, const GUID& iid) { return answer(out, iid, cls::metadb_handle); }

bool Track::format_title(titleformat_hook*, string_base& out, const ref<titleformat_object>& script,
                         titleformat_text_filter*) {
    ++format_title_calls;
    if (!compiler || !compiler->owns(script.get())) script_was_ours = false;
    probe.write_title(out);
    return true;
}

void Track::format_title_from_external_info(const file_info&, titleformat_hook* hook, string_base& out,
                                            const ref<titleformat_object>& script, titleformat_text_filter* filter) {
    format_title(hook, out, script, filter);
}

bool Track::format_title_nonlocking(titleformat_hook* hook, string_base& out, const ref<titleformat_object>& script,
                                    titleformat_text_filter* filter) {
    return format_title(hook, out, script, filter);
}

void Track::format_title_from_external_info_nonlocking(const file_info& info, titleformat_hook* hook, string_base& out,
                                                       const ref<titleformat_object>& script,
                                                       titleformat_text_filter* filter) {
    format_title_from_external_info(info, hook, out, script, filter);
}

ref<metadb_info_container> Track::get_info_ref() const { return ref<metadb_info_container>(&container); }

bool Track::get_info_ref_into(ref<metadb_info_container>& out) const {
    out.set(&container);
    return true;
}

ref<metadb_info_container> Track::get_async_info_ref() const { return get_info_ref(); }

bool Track::get_async_info_ref_into(ref<metadb_info_container>& out) const { return get_info_ref_into(out); }

void Track::get_browse_info_ref(ref<metadb_info_container>& info, ref<metadb_info_container>& browse) const {
    info.set(&container);
    browse.set(&container);
}

// ---- core services -------------------------------------------------------------------------------

bool CallbackManager::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::play_callback_manager);
}

void CallbackManager::register_callback(play_callback* callback_, u32 flags_, bool forward_status) {
    callback = callback_;
    flags = flags_;
    forward = forward_status;
    ++registrations;
}

void CallbackManager::unregister_callback(play_callback* callback_) {
    if (callback == callback_) callback = nullptr;
}

bool Playback::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::playback_control);
}

bool Playback::get_now_playing(ref<metadb_handle>& out) {
    out.set(playing ? track : nullptr);
    return playing && track;
}

bool Playback::playback_format_title(titleformat_hook*, string_base& out, const ref<titleformat_object>& script,
                                     titleformat_text_filter*, int) {
    if (!playing || !script) return false;
    script->run(nullptr, out, nullptr);
    return true;
}

bool CoverBytes::service_query(ref<service_base>& out, const GUID& iid) { return answer(out, iid, cls::album_art_data); }

bool CoverLoader::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::now_playing_album_art_notify_manager);
}
void CoverLoader::add(now_playing_album_art_notify* notify) {
    ++adds;
    listener = notify;
}
void CoverLoader::remove(now_playing_album_art_notify* notify) {
    ++removes;
    if (notify == listener) listener = nullptr;
}
ref<album_art_data> CoverLoader::current() {
    ++current_calls;
    return ref<album_art_data>(cover);
}

bool Popups::service_query(ref<service_base>& out, const GUID& iid) { return answer(out, iid, cls::popup_message); }

void Popups::show_ex(const char* message, usize message_length, const char* title, usize title_length, int icon) {
    ++shown;
    text_copy(last_message, sizeof last_message, message ? message : "", message_length);
    text_copy(last_title, sizeof last_title, title ? title : "", title_length);
    last_icon = icon;
    note("popup_message \"%s\": %s", last_title, last_message);
}

bool PageCallback::service_query(ref<service_base>& out, const GUID& iid) {
    return answer(out, iid, cls::preferences_page_callback);
}

// ---- the core interface --------------------------------------------------------------------------

void Api::offer(const GUID& cls, service_base* service) {
    if (count_ < kMaxEntries) entries_[count_++] = Entry{&cls, service, false};
}

void Api::hide(const GUID& cls, bool hidden) {
    for (int i = 0; i < count_; ++i)
        if (*entries_[i].cls == cls) entries_[i].hidden = hidden;
}

const void* Api::service_enum_find_class(const GUID& cls) {
    for (int i = 0; i < count_; ++i)
        if (*entries_[i].cls == cls) return &entries_[i];
    bool known = false;
    for (int i = 0; i < unknown_count; ++i) known |= unknown[i] == cls;
    if (!known && unknown_count < kMaxUnknown) unknown[unknown_count++] = cls;
    return nullptr;
}

usize Api::service_enum_get_count(const void* cls) {
    const Entry* entry = static_cast<const Entry*>(cls);
    return entry && !entry->hidden ? 1 : 0;
}

bool Api::service_enum_create(ref<service_base>& out, const void* cls, usize index) {
    const Entry* entry = static_cast<const Entry*>(cls);
    if (!entry || entry->hidden || index != 0) return false;
    out.set(entry->service);
    return true;
}
