// Forwards the player's playback events to the controller.
#include "controller/play_callback.h"

#include "component/text_convert.h"
#include "controller/Trelvane.h"
#include "controller/tooltip_script.h"
#include "sdk/shared/shared.h"

namespace {

class TVFPlayCallback : public play_callback {
public:
    void on_playback_starting(playback_control::t_track_command, bool) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_starting(play_control, bool)");
        Trelvane& controller = Trelvane::Instance();
        controller.onStarted();
        controller.ClearBalloonShown();
    }
    void on_playback_new_track(metadb_handle_ptr track) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_new_track(metadb_handle_ptr)");
        Trelvane& controller = Trelvane::Instance();
        controller.ClearBalloonShown();
        pfc::string8 text;
        track->format_title(nullptr, text, TooltipScript(), nullptr);
        controller.onTitleChange(String8ToWide(text.get_ptr()));
    }
    void on_playback_stop(playback_control::t_stop_reason) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_stop(play_control::t_stop_reason)");
        Trelvane::Instance().onStopped();
    }
    void on_playback_seek(double) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_seek(double)");
    }
    void on_playback_pause(bool state) override {
        uCallStackTracker tracker("TVFPlayCallback::on_playback_pause(bool)");
        if (state) Trelvane::Instance().onPaused();
        else Trelvane::Instance().onUnpaused();
    }
    void on_playback_edited(metadb_handle_ptr) override {}
    void on_playback_dynamic_info(const file_info&) override {}
    void on_playback_dynamic_info_track(const file_info&) override {}
    void on_playback_time(double) override {}
    void on_volume_change(float) override {}
};

TVFPlayCallback playCallback;

} // namespace

play_callback& PlayCallback() { return playCallback; }
