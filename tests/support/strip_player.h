#pragma once
// The stand-in player for end-to-end tests of the strip: three tracks "A", "B" and "C" in its
// playlist, started and announced as the real player does, message boxes kept off screen, its main window shown without taking the focus, and
// the real component loaded and started. The component quits and unloads with the object.
#include "host/component_loader.h"
#include "host/host_core.h"

class StripPlayer {
public:
    // Milliseconds from a track's start to its announcement, about what the real player takes.
    static constexpr DWORD kAnnounceAfter = 150;

    explicit StripPlayer(double trackSeconds);
    ~StripPlayer();
    StripPlayer(const StripPlayer&) = delete;
    StripPlayer& operator=(const StripPlayer&) = delete;

    // False when foo_Trelvane.dll could not be loaded as a component.
    bool Started() const { return m_started; }
    fb2k_host::Host& Host() { return m_host; }

private:
    fb2k_host::Host m_host;
    fb2k_host::LoadedComponent m_component;
    bool m_started = false;
};
