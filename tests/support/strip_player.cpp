#include "tests/support/strip_player.h"

#include "host/playback_engine.h"
#include "host/popup_log.h"

StripPlayer::StripPlayer(double trackSeconds) : m_component(m_host) {
    m_host.Popups().SetShowMessageBoxes(false);
    m_host.Playback().SetPlaylist({{"C:\\Music\\a.flac", trackSeconds, {{"title", "A"}}},
                                   {"C:\\Music\\b.flac", trackSeconds, {{"title", "B"}}},
                                   {"C:\\Music\\c.flac", trackSeconds, {{"title", "C"}}}});
    // Tracks start as in the real player: announced from the message loop a moment later.
    m_host.Playback().SetTrackOpening(kAnnounceAfter, 0);
    ShowWindow(m_host.MainWindow(), SW_SHOWNOACTIVATE);
    if (!m_component.Load(L"foo_Trelvane.dll")) return;
    m_component.ServicesInit(true);
    m_component.Init();
    m_started = true;
}

StripPlayer::~StripPlayer() {
    if (!m_started) return;
    m_component.Quit();
    m_component.Unload();
}
