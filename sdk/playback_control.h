#pragma once
#include "metadb.h"

class playback_control : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(playback_control, 0x4B7998FA, 0x8E7A, 0x4A9B, 0x82, 0x1F, 0x73, 0x4B, 0x3D, 0x91, 0x8F, 0xF7)
public:
    enum t_track_command { track_command_default, track_command_play, track_command_next, track_command_prev,
                           track_command_settrack, track_command_rand, track_command_resume };
    enum t_stop_reason { stop_reason_user, stop_reason_eof, stop_reason_starting_another, stop_reason_shutting_down };

    virtual bool get_now_playing(metadb_handle_ptr& out) = 0;
    virtual void start(t_track_command command = track_command_play, bool paused = false) = 0;
    virtual void stop() = 0;
    virtual bool is_playing() = 0;
    virtual bool is_paused() = 0;
    virtual void pause(bool state) = 0;
    // Volume in decibels: 0 is full volume, -100 silence.
    virtual void set_volume(float db) = 0;
    virtual float get_volume() = 0;
    virtual void playback_seek(double seconds) = 0;
    virtual bool playback_can_seek() = 0;
    virtual double playback_get_position() = 0;

    // Length of the now-playing track in seconds, 0 when nothing plays.
    double playback_get_length() {
        metadb_handle_ptr track;
        if (!get_now_playing(track)) return 0;
        return track->get_length();
    }
};
