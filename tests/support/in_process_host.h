#pragma once
// A stand-in player in the test's own process, installed as the core interface of the
// component code linked into the test executable. The component's resources are linked
// into the test executable, so its module is the executable itself.
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/main_menu.h"
#include "host/popup_log.h"
#include "sdk/shared/shared.h"

extern foobar2000_api* g_foobar2000_api;

class InProcessHost {
public:
    InProcessHost() {
        host.Popups().SetShowMessageBoxes(false);
        host.InstallInProcess(GetModuleHandleW(nullptr));
    }
    ~InProcessHost() { g_foobar2000_api = nullptr; }
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    fb2k_host::PlaybackEngine& playback() { return host.Playback(); }

    fb2k_host::Host host;
};

// A file track and a stream, for tests that need something to play.
inline fb2k_host::TrackInfo FileTrack(double lengthSeconds, const char* path = "C:\\Music\\track.flac") {
    fb2k_host::TrackInfo track;
    track.path = path;
    track.length = lengthSeconds;
    track.meta["artist"] = "Artist";
    track.meta["title"] = "Title";
    return track;
}
inline fb2k_host::TrackInfo StreamTrack() {
    fb2k_host::TrackInfo track;
    track.path = "http://radio.example.org/stream";
    track.length = 0;
    return track;
}
