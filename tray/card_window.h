#pragma once
// The card's window: a top-most tool popup that never takes the focus or the foreground. It
// keeps the last drawing in a memory surface and draws again only when the content, the DPI
// or its monitor changes; its timers serve whoever listens.
#include "base/gdi_handles.h"
#include "base/user_handles.h"
#include "tray/card_content.h"

class CardWindow {
public:
    class Listener {
    public:
        virtual void OnCardTimer(UINT_PTR id) = 0;
        // Someone posted kWorkDoneMessage to the card's window.
        virtual void OnCardWorkDone() = 0;

    protected:
        ~Listener() = default;
    };

    // Posted to the window by work done on another thread (the cover's decoding).
    static constexpr UINT kWorkDoneMessage = WM_APP + 0x31;

    explicit CardWindow(Listener& listener) : m_listener(listener) {}
    ~CardWindow();
    CardWindow(const CardWindow&) = delete;
    CardWindow& operator=(const CardWindow&) = delete;

    // Creates the (hidden) window on first use; false when Windows refuses.
    bool Create();
    // Shows `content` beside the strip at `strip` (screen pixels), drawn for the DPI of the
    // strip's monitor. Returns whether the card is shown.
    bool Show(const CardContent& content, const RECT& strip);
    void Hide();
    bool Shown() const { return m_shown; }
    HWND Handle() const { return m_window.get(); }
    // The DPI the card would be drawn at beside `strip`.
    static int DpiBeside(const RECT& strip);

    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);
    // Destroys the window; Create makes a new one.
    void Destroy();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Draw(const CardContent& content, int dpi);
    void OnPaint();

    Listener& m_listener;
    UniqueWindow m_window;
    MemorySurface m_surface;
    CardContent m_drawn;
    int m_drawnDpi = 0;
    SIZE m_size = {};
    bool m_shown = false;
};
