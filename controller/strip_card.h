#pragma once
// The card over the strip: when it appears and goes, what it shows, and the cover it shows.
// It appears after the pointer has rested on the strip for a moment (at once while the
// slider is dragged), goes a moment after the pointer left and at once on a click on a
// button, and stays away while a menu, a dialog or a drag of the icons holds the pointer.
// With the setting off it does nothing at all.
#include "base/gdi_handles.h"
#include "tray/card_window.h"
#include "tray/cover_decoder.h"

// The strip as one tray mouse message found it.
struct StripHover {
    UINT message = 0;
    RECT area = {};      // both icons, screen pixels
    bool onTray = false; // the pointer lies on the strip
    int target = 0;      // the element under the pointer (TrayButton)
    int step = 0;        // the slider step under the pointer
    int range = 24;      // the slider's steps
    bool dragging = false;
};

class StripCard : public CardWindow::Listener {
public:
    static constexpr UINT kRestBeforeShowing = 400; // milliseconds
    static constexpr UINT kStayAfterLeaving = 300;  // milliseconds
    static constexpr UINT kPollPeriod = 100;        // milliseconds, only during a hover

    static StripCard& Instance();

    // The player started or quits.
    void Start();
    void Stop();
    void OnPointer(const StripHover& hover);
    // A new track plays: its texts are read anew, and its cover comes from the player.
    void OnNewTrack();
    // Playback stopped: nothing to show.
    void OnStopped();
    // The setting was switched.
    void OnSettingChanged();
    bool Shown() const { return m_window.Shown(); }
    HWND Window() const { return m_window.Handle(); }

    void OnCardTimer(UINT_PTR id) override;
    void OnCardWorkDone() override;
    // Whether the playing track's cover is still being decoded.
    bool CoverPending() const { return m_decoder.Pending(); }

private:
    StripCard() : m_window(*this) {}
    void Poll();
    void BeginHover();
    void EndHover();
    void ShowOrUpdate();
    void Hide();
    bool PointerOnStrip() const;
    void TakeCover(const void* data, size_t size);
    // Asks for the cover at the size the card is drawn at beside the strip now.
    void DecodeCoverForNow();
    void TakeDecodedCover();
    void ForgetCover();

    CardWindow m_window;
    StripHover m_hover;
    bool m_hovering = false;
    DWORD m_enteredAt = 0;
    DWORD m_leftAt = 0;
    bool m_left = false;
    // After a click on a button the card stays away until the pointer is on another element.
    int m_suppressedTarget = -1;
    bool m_dark = false;
    // Texts of the playing track, read once per track.
    bool m_textsRead = false;
    std::wstring m_title, m_detail;
    UniqueBitmap m_cover;
    SIZE m_coverSize = {};
    unsigned m_coverSerial = 0;
    // The playing track's cover as the player gave it, kept to decode again for another DPI,
    // and the square side it was last asked for.
    CoverDecoder::Bytes m_coverBytes;
    int m_coverSide = 0;
    CoverDecoder m_decoder;
};
