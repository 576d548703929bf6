#pragma once
#include "metadb.h"

class titleformat_object;
class titleformat_hook;
class titleformat_text_filter;

class playback_control : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(playback_control, 0xBF803668, 0x2977, 0x4C71, 0xB9, 0xAB, 0x5C, 0x77, 0xC3, 0x38, 0xC9,
                                 0x70)
public:
    enum t_track_command {
        track_command_default,
        track_command_play,
        track_command_next,
        track_command_prev,
        track_command_settrack,
        track_command_rand,
        track_command_resume
    };
    enum t_stop_reason { stop_reason_user, stop_reason_eof, stop_reason_starting_another, stop_reason_shutting_down };
    enum t_display_level { display_level_none, display_level_basic, display_level_titles, display_level_all };
    static constexpr float volume_mute = -100.0f;

    virtual bool get_now_playing(metadb_handle_ptr& out) = 0;                                  // 3
    virtual void start(t_track_command command = track_command_play, bool paused = false) = 0; // 4
    virtual void stop() = 0;                                                                   // 5
    virtual bool is_playing() = 0;                                                             // 6
    virtual bool is_paused() = 0;                                                              // 7
    virtual void pause(bool state) = 0;                                                        // 8
    virtual bool get_stop_after_current() = 0;                                                 // 9
    virtual void set_stop_after_current(bool state) = 0;                                       // 10
    // Volume in decibels: 0 is full volume, -100 silence.
    virtual void set_volume(float db) = 0;                // 11
    virtual float get_volume() = 0;                       // 12
    virtual void volume_up() = 0;                         // 13
    virtual void volume_down() = 0;                       // 14
    virtual void volume_mute_toggle() = 0;                // 15
    virtual void playback_seek(double seconds) = 0;       // 16
    virtual void playback_seek_delta(double seconds) = 0; // 17
    virtual bool playback_can_seek() = 0;                 // 18
    virtual double playback_get_position() = 0;           // 19
    virtual bool playback_format_title(titleformat_hook* hook, pfc::string_base& out,
                                       const service_ptr_t<titleformat_object>& script, titleformat_text_filter* filter,
                                       t_display_level level) = 0; // 20

    // Length of the now-playing track in seconds, 0 when nothing plays.
    double playback_get_length() {
        metadb_handle_ptr track;
        if (!get_now_playing(track) || !track.is_valid()) return 0;
        return track->get_length();
    }
};
