#include "player/now_playing_cover.h"

#include "sdk/album_art.h"
#include "sdk/boundary.h"
#include "sdk/core_api.h"
#include "sdk/shared/shared.h"

namespace {

// The player's loader, or null where there is none.
service_ptr_t<now_playing_album_art_notify_manager> Loader() {
    if (!g_foobar2000_api) return service_ptr_t<now_playing_album_art_notify_manager>();
    const void* handle = g_foobar2000_api->service_enum_find_class(now_playing_album_art_notify_manager::class_guid);
    if (!handle || g_foobar2000_api->service_enum_get_count(handle) < 1)
        return service_ptr_t<now_playing_album_art_notify_manager>();
    return standard_api_create_t<now_playing_album_art_notify_manager>();
}

// The picture last handed on, held so that the same picture reported twice (loaded, then asked
// for) is decoded once.
service_ptr_t<album_art_data>& LastPicture() {
    static service_ptr_t<album_art_data> last;
    return last;
}

void Deliver(const NowPlayingCover::PictureHandler& handler, album_art_data* picture) {
    if (!picture || !handler || LastPicture().get_ptr() == picture) return;
    LastPicture() = picture;
    const void* data = picture->data();
    const size_t size = picture->size();
    handler(data, data ? size : 0);
}

class Listener : public now_playing_album_art_notify {
public:
    void on_album_art(service_by_value<album_art_data> data) override {
        // The reference is ours to release, whatever happens to the picture.
        service_ptr_t<album_art_data> picture = adopt(data);
        uCallStackTracker tracker("NowPlayingCover::on_album_art");
        fb2k::guarded([&] { Deliver(handler, picture.get_ptr()); });
    }
    NowPlayingCover::PictureHandler handler;
    bool registered = false;
};

Listener& TheListener() {
    static Listener listener;
    return listener;
}

} // namespace

namespace NowPlayingCover {

bool Watch(PictureHandler picture) {
    Listener& listener = TheListener();
    listener.handler = std::move(picture);
    service_ptr_t<now_playing_album_art_notify_manager> loader = Loader();
    if (!loader.is_valid()) return false;
    if (!listener.registered) loader->add(&listener);
    listener.registered = true;
    AskCurrent();
    return true;
}

void AskCurrent() {
    Listener& listener = TheListener();
    LastPicture() = static_cast<album_art_data*>(nullptr);
    if (!listener.registered) return;
    service_ptr_t<now_playing_album_art_notify_manager> loader = Loader();
    if (!loader.is_valid()) return;
    service_ptr_t<album_art_data> current;
    loader->current(&current);
    Deliver(listener.handler, current.get_ptr());
}

void StopWatching() {
    Listener& listener = TheListener();
    listener.handler = nullptr;
    LastPicture() = static_cast<album_art_data*>(nullptr);
    if (!listener.registered) return;
    listener.registered = false;
    service_ptr_t<now_playing_album_art_notify_manager> loader = Loader();
    if (loader.is_valid()) loader->remove(&listener);
}

} // namespace NowPlayingCover
