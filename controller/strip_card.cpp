#include "controller/strip_card.h"

#include "controller/Trelvane.h"
#include "controller/card_content_source.h"
#include "player/now_playing_cover.h"
#include "player/Player.h"
#include "sdk/boundary.h"
#include "settings/config_vars.h"
#include "tray/card_painter.h"
#include "tray/cover_image.h"
#include "tray/taskbar_theme.h"

#include <cwchar>
#include <memory>
#include <vector>

namespace {

constexpr UINT_PTR kPollTimer = 1;

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN;
}

// A popup menu of this thread is open (the tray menu, or any other).
bool MenuOpen() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)))
        return true;
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == GetCurrentThreadId()) return true;
    return false;
}

// A shown dialog whose owner it has disabled: a modal one, such as a message box.
BOOL CALLBACK FindModalDialog(HWND window, LPARAM found) {
    wchar_t name[8] = {};
    HWND owner = GetWindow(window, GW_OWNER);
    if (IsWindowVisible(window) && owner && !IsWindowEnabled(owner) && GetClassNameW(window, name, 8) &&
        wcscmp(name, L"#32770") == 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// A modal dialog or message box of this thread is up.
bool DialogOpen() {
    HWND main = Player::MainWindow();
    if (main && IsWindow(main) && !IsWindowEnabled(main)) return true;
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), &FindModalDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool ButtonHeld() { return (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000; }

} // namespace

StripCard& StripCard::Instance() {
    static StripCard card;
    return card;
}

void StripCard::Start() {
    if (!cfg::ShowCard) return;
    NowPlayingCover::Watch([this](const void* data, size_t size) { TakeCover(data, size); });
}

void StripCard::Stop() {
    NowPlayingCover::StopWatching();
    EndHover();
    // Cancelled before the window goes: a decode that ends later posts nothing.
    ForgetCover();
    m_decoder.WaitIdle();
    m_window.Destroy();
}

void StripCard::OnSettingChanged() {
    if (cfg::ShowCard) {
        Start();
        return;
    }
    Stop();
}

void StripCard::OnNewTrack() {
    m_textsRead = false;
    ForgetCover();
    if (cfg::ShowCard) NowPlayingCover::AskCurrent();
    if (m_window.Shown()) ShowOrUpdate();
}

void StripCard::OnStopped() {
    m_textsRead = false;
    ForgetCover();
    Hide();
}

void StripCard::OnPointer(const StripHover& hover) {
    if (!cfg::ShowCard || !hover.onTray) return;
    // Until the card shows, a move to another element or slider step starts the rest anew.
    const bool moved = hover.target != m_hover.target || hover.step != m_hover.step;
    m_hover = hover;
    if (!m_hovering) BeginHover();
    else if (moved && !m_window.Shown()) m_enteredAt = GetTickCount();
    m_left = false;
    const bool pressOnButton = IsPress(hover.message) && hover.target != TrayButton::Slider;
    if (pressOnButton || hover.message == WM_CONTEXTMENU) {
        m_suppressedTarget = hover.target;
        Hide();
        return;
    }
    if (m_suppressedTarget >= 0 && hover.target != m_suppressedTarget && !ButtonHeld()) {
        m_suppressedTarget = -1;
        m_enteredAt = GetTickCount();
    }
    if (hover.dragging || m_window.Shown()) ShowOrUpdate();
}

void StripCard::OnCardTimer(UINT_PTR id) {
    if (id == kPollTimer) fb2k::guarded([this] { Poll(); });
}

void StripCard::BeginHover() {
    m_hovering = true;
    m_enteredAt = GetTickCount();
    m_left = false;
    m_suppressedTarget = -1;
    m_dark = TaskbarTheme::IsDark();
    m_window.StartTimer(kPollTimer, kPollPeriod);
}

void StripCard::EndHover() {
    m_window.StopTimer(kPollTimer);
    m_hovering = false;
    Hide();
}

bool StripCard::PointerOnStrip() const {
    POINT pointer = {};
    RECT area = m_hover.area;
    ++area.right;
    ++area.bottom;
    return GetCursorPos(&pointer) && PtInRect(&area, pointer);
}

void StripCard::Poll() {
    if (!cfg::ShowCard) {
        EndHover();
        return;
    }
    const DWORD now = GetTickCount();
    if (PointerOnStrip()) {
        m_left = false;
    } else if (!m_left) {
        m_left = true;
        m_leftAt = now;
    }
    if (m_left && now - m_leftAt >= kStayAfterLeaving) {
        EndHover();
        return;
    }
    // A menu, a dialog or a held button (the shell's drag of the icons) keeps the card away; the
    // slider's own drag does not.
    if (MenuOpen() || DialogOpen() || (ButtonHeld() && !m_hover.dragging)) {
        Hide();
        return;
    }
    if (m_suppressedTarget >= 0) return;
    if (m_window.Shown() || (!m_left && now - m_enteredAt >= kRestBeforeShowing)) ShowOrUpdate();
}

void StripCard::ShowOrUpdate() {
    if (!Player::Playing()) {
        Hide();
        return;
    }
    if (!m_textsRead) {
        m_title = CardContentSource::Title();
        m_detail = CardContentSource::Detail();
        m_textsRead = true;
    }
    // Beside a monitor of another DPI the cover is decoded again at that size; the one at hand
    // is shown until then.
    DecodeCoverForNow();
    CardContent content = CardContentSource::Timeline(m_hover, Trelvane::Instance().SliderShowsVolume());
    content.title = m_title;
    content.detail = m_detail;
    content.dark = m_dark;
    content.cover = m_cover.get();
    content.coverSize = m_coverSize;
    content.coverSerial = m_coverSerial;
    if (!m_window.Show(content, m_hover.area)) return;
    // The card says more than the shell's title tooltip, which would cover it.
    Trelvane::Instance().HideShellTip(true);
}

void StripCard::Hide() {
    if (!m_window.Shown()) return;
    m_window.Hide();
    Trelvane::Instance().HideShellTip(false);
}

void StripCard::TakeCover(const void* data, size_t size) {
    if (!cfg::ShowCard) return;
    ForgetCover();
    if (!data || size == 0) return;
    const char* bytes = static_cast<const char*>(data);
    m_coverBytes = std::make_shared<const std::vector<char>>(bytes, bytes + size);
    DecodeCoverForNow();
}

void StripCard::DecodeCoverForNow() {
    const int side = CardPainter::CoverSide(CardWindow::DpiBeside(m_hover.area));
    if (!m_coverBytes || side == m_coverSide) return;
    // The window the result is posted to exists from now on, shown or not.
    if (!m_window.Create()) return;
    m_coverSide = side;
    m_decoder.Request(m_coverBytes, side, m_window.Handle(), CardWindow::kWorkDoneMessage);
}

// The decoding thread has a result; an older one, for a cover since replaced, is not taken.
void StripCard::OnCardWorkDone() {
    fb2k::guarded([this] { TakeDecodedCover(); });
}

void StripCard::TakeDecodedCover() {
    CoverImage::Outcome outcome = CoverImage::Outcome::Empty;
    Pixels pixels;
    if (!m_decoder.TakeResult(outcome, pixels)) return;
    if (outcome != CoverImage::Outcome::Decoded) return;
    BITMAPINFO info = TopDown32(pixels.width, pixels.height);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return;
    memcpy(bits, pixels.argb.data(), pixels.argb.size() * sizeof(uint32_t));
    m_cover = std::move(bitmap);
    m_coverSize = SIZE{pixels.width, pixels.height};
    ++m_coverSerial;
    if (m_window.Shown()) ShowOrUpdate();
}

void StripCard::ForgetCover() {
    m_decoder.Cancel();
    m_coverBytes.reset();
    m_coverSide = 0;
    m_cover.reset();
    m_coverSize = SIZE{};
    ++m_coverSerial;
}
