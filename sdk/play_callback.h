#pragma once
#include "playback_control.h"

class file_info;

// Playback events; the player calls only those whose flags were asked for. Not a service: the
// table starts at slot 0.
class play_callback {
public:
    enum {
        flag_on_playback_starting = 1 << 0,
        flag_on_playback_new_track = 1 << 1,
        flag_on_playback_stop = 1 << 2,
        flag_on_playback_seek = 1 << 3,
        flag_on_playback_pause = 1 << 4,
        flag_on_playback_edited = 1 << 5,
        flag_on_playback_dynamic_info = 1 << 6,
        flag_on_playback_dynamic_info_track = 1 << 7,
        flag_on_playback_time = 1 << 8,
        flag_on_volume_change = 1 << 9,
    };
    virtual void on_playback_starting(playback_control::t_track_command command, bool paused) = 0; // 0
    // The track arrives by value: the callee releases it (see abi.h).
    virtual void on_playback_new_track(service_by_value<metadb_handle> track) = 0; // 1
    virtual void on_playback_stop(playback_control::t_stop_reason reason) = 0;     // 2
    virtual void on_playback_seek(double time) = 0;                                // 3
    virtual void on_playback_pause(bool state) = 0;                                // 4
    virtual void on_playback_edited(service_by_value<metadb_handle> track) = 0;    // 5
    virtual void on_playback_dynamic_info(const file_info& info) = 0;              // 6
    virtual void on_playback_dynamic_info_track(const file_info& info) = 0;        // 7
    virtual void on_playback_time(double time) = 0;                                // 8
    virtual void on_volume_change(float new_db) = 0;                               // 9
protected:
    ~play_callback() = default;
};

class play_callback_manager : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(play_callback_manager, 0x78BCBFA1, 0xDFB9, 0x487F, 0xAB, 0x16, 0xCD, 0x82, 0xBF, 0x90,
                                 0xCC, 0xF7)
public:
    // With forward_status_on_register the player reports the playback already going on at once.
    virtual void register_callback(play_callback* callback, unsigned flags, bool forward_status_on_register) = 0; // 3
    virtual void unregister_callback(play_callback* callback) = 0;                                                // 4
};
