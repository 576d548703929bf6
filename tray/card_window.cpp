#include "tray/card_window.h"

#include "base/window_dc.h"

#include "tray/card_painter.h"
#include "tray/card_placement.h"

namespace {

const wchar_t kClassName[] = L"TrelvaneCard";
constexpr int kGapToStrip = 6; // pixels at 96 DPI
constexpr int kStandardDpi = 96;

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

typedef HRESULT(WINAPI* GetDpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);

// The monitor's own DPI where the system tells it (Windows 8.1 and later), else the system's.
int MonitorDpi(HMONITOR monitor) {
    static const GetDpiForMonitorFunction getDpi = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFunction>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (getDpi && monitor && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && y > 0) return static_cast<int>(y);
    WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kStandardDpi;
    return dpi > 0 ? dpi : kStandardDpi;
}

bool RegisterCardClass(HINSTANCE instance) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kClassName, &existing)) return true;
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof(cls);
    cls.style = CS_DROPSHADOW;
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = kClassName;
    return RegisterClassExW(&cls) != 0;
}

} // namespace

CardWindow::~CardWindow() { Destroy(); }

bool CardWindow::Create() {
    if (m_window) return true;
    HINSTANCE instance = ThisModule();
    if (!RegisterCardClass(instance)) return false;
    m_window.reset(CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, 0, 0,
                                   0, 0, nullptr, nullptr, instance, nullptr));
    if (!m_window) return false;
    SetWindowLongPtrW(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CardWindow::WindowProc));
    return true;
}

void CardWindow::Destroy() {
    m_shown = false;
    if (m_window) {
        m_window.reset();
        // The module may be unloaded after this; its class must not outlive it.
        UnregisterClassW(kClassName, ThisModule());
    }
    m_surface.reset();
    m_drawn = CardContent();
    m_drawnDpi = 0;
}

int CardWindow::DpiBeside(const RECT& strip) { return MonitorDpi(MonitorFromRect(&strip, MONITOR_DEFAULTTONEAREST)); }

bool CardWindow::Show(const CardContent& content, const RECT& strip) {
    if (!Create()) return false;
    HMONITOR monitor = MonitorFromRect(&strip, MONITOR_DEFAULTTONEAREST);
    const int dpi = MonitorDpi(monitor);
    const bool redrawn = Draw(content, dpi);
    if (!m_surface) return false;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return false;
    const POINT at = CardPlacement::Place(m_size, strip, info.rcWork, MulDiv(kGapToStrip, dpi, kStandardDpi));
    RECT now = {};
    GetWindowRect(m_window.get(), &now);
    const bool moved =
        now.left != at.x || now.top != at.y || now.right - now.left != m_size.cx || now.bottom - now.top != m_size.cy;
    if (moved) SetWindowPos(m_window.get(), HWND_TOPMOST, at.x, at.y, m_size.cx, m_size.cy, SWP_NOACTIVATE);
    if (!m_shown) {
        ShowWindow(m_window.get(), SW_SHOWNOACTIVATE);
        m_shown = true;
    } else if (redrawn) {
        InvalidateRect(m_window.get(), nullptr, FALSE);
    }
    return true;
}

void CardWindow::Hide() {
    if (!m_shown) return;
    m_shown = false;
    if (m_window) ShowWindow(m_window.get(), SW_HIDE);
}

// Returns whether it drew.
bool CardWindow::Draw(const CardContent& content, int dpi) {
    if (m_surface && dpi == m_drawnDpi && content == m_drawn) return false;
    const SIZE size = CardPainter::Size(dpi);
    if (!m_surface || size.cx != m_size.cx || size.cy != m_size.cy) {
        UniqueBitmap bitmap;
        {
            WindowDC screen(nullptr);
            if (screen) bitmap.reset(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
        }
        m_surface = MemorySurface(std::move(bitmap));
        if (!m_surface) return false;
        m_size = size;
    }
    CardPainter::Paint(m_surface.get(), content, dpi);
    // The window's name says what the card shows, for screen readers and window lists.
    std::wstring name = content.title + L" \x2014 " + content.timeline;
    if (!content.markerText.empty()) name += L" \x2014 " + content.markerText;
    SetWindowTextW(m_window.get(), name.c_str());
    m_drawn = content;
    m_drawnDpi = dpi;
    return true;
}

void CardWindow::OnPaint() {
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(m_window.get(), &paint);
    if (dc && m_surface) BitBlt(dc, 0, 0, m_size.cx, m_size.cy, m_surface.get(), 0, 0, SRCCOPY);
    EndPaint(m_window.get(), &paint);
}

void CardWindow::StartTimer(UINT_PTR id, UINT milliseconds) {
    if (Create()) SetTimer(m_window.get(), id, milliseconds, nullptr);
}

void CardWindow::StopTimer(UINT_PTR id) {
    if (m_window) KillTimer(m_window.get(), id);
}

LRESULT CALLBACK CardWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CardWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: self->OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    // A click on the card neither activates it nor the player.
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER: self->m_listener.OnCardTimer(wParam); return 0;
    case kWorkDoneMessage: self->m_listener.OnCardWorkDone(); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
