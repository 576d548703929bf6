// Forwards the player's playback events to the controller. Each event is a call from the
// player: nothing thrown while handling it may leave.
#include "controller/play_callback.h"

#include "base/text_convert.h"
#include "controller/Trelvane.h"
#include "controller/tooltip_script.h"
#include "sdk/boundary.h"
#include "sdk/shared/shared.h"

namespace {

class TVFPlayCallback : public play_callback {
public:
    void on_playback_starting(playback_control::t_track_command, bool) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_starting(play_control, bool)");
        fb2k::guarded([] {
            Trelvane& controller = Trelvane::Instance();
            controller.onStarted();
            controller.ClearBalloonShown();
        });
    }
    void on_playback_new_track(service_by_value<metadb_handle> argument) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_new_track(metadb_handle_ptr)");
        metadb_handle_ptr track = adopt(argument);
        fb2k::guarded([&track] {
            Trelvane& controller = Trelvane::Instance();
            controller.ClearBalloonShown();
            pfc::string8 text;
            if (track.is_valid()) track->format_title(nullptr, text, TooltipScript(), nullptr);
            controller.onTitleChange(String8ToWide(text.get_ptr()));
        });
    }
    void on_playback_stop(playback_control::t_stop_reason) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_stop(play_control::t_stop_reason)");
        fb2k::guarded([] { Trelvane::Instance().onStopped(); });
    }
    void on_playback_seek(double) override { uCallStackTracker tracker("TVFPlayCallback::on_playback_seek(double)"); }
    void on_playback_pause(bool state) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_pause(bool)");
        fb2k::guarded([state] {
            if (state) Trelvane::Instance().onPaused();
            else Trelvane::Instance().onUnpaused();
        });
    }
    void on_playback_edited(service_by_value<metadb_handle> track) override { adopt(track).release(); }
    void on_playback_dynamic_info(const file_info&) override {}
    void on_playback_dynamic_info_track(const file_info&) override {}
    void on_playback_time(double) override {}
    void on_volume_change(float) override {}
};

TVFPlayCallback playCallback;

} // namespace

play_callback& PlayCallback() { return playCallback; }
