// The tray popup menu under Wine: the real TrackPopupMenu, driven by keys typed into it from
// a timer inside its modal loop (tests/support/popup_menu_driver.h), each command's effect on
// the stand-in player, the slider check marks, the title band's pixels, and the menu's shape
// when the quit item is left out.
#include "controller/Trelvane.h"
#include "base/system_handles.h"
#include "controller/tray_menu_commands.h"
#include "host/main_menu.h"
#include "host/text.h"
#include "resources/resource.h"
#include "settings/config_vars.h"
#include "settings/strings.h"
#include "tests/support/child_process.h"
#include "tests/support/gdi_tracker.h"
#include "tests/support/iat_hook.h"
#include "tests/support/in_process_host.h"
#include "tests/support/popup_menu_driver.h"
#include "tests/support/shell_sequence.h"
#include "tests/support/shell_tray.h"
#include "tests/support/tray_geometry.h"

#include "tests/support/icon_pixels.h"
#include "base/user_handles.h"
#include "base/window_dc.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Commands = std::vector<std::string>;

constexpr UINT kSeekSliderItem = ID_TRAY_SEEK_SLIDER;
constexpr UINT kVolumeSliderItem = ID_TRAY_VOLUME_SLIDER;
constexpr int kBandThickness = 18;
constexpr int kBandLength = 245;

// What reached the player's main window while a test ran.
struct MainWindowTraffic {
    std::vector<WPARAM> commands;
    int nulls = 0;
} mainWindowTraffic;
WNDPROC mainWindowProc = nullptr;

// The player's own procedure stays in place; the exit command's WM_CLOSE is kept from it so
// that the stand-in player outlives the quit item.
LRESULT CALLBACK WatchedMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) mainWindowTraffic.commands.push_back(wParam);
    if (message == WM_NULL) ++mainWindowTraffic.nulls;
    if (message == WM_CLOSE) return 0;
    return CallWindowProcW(mainWindowProc, window, message, wParam, lParam);
}

// Owner-draw requests that reached the controller's message window.
std::vector<UINT> drawnItems;
LRESULT CALLBACK WatchOwnerDraw(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DRAWITEM && sent->hwnd == Trelvane::Instance().MessageWindow())
        drawnItems.push_back(reinterpret_cast<const DRAWITEMSTRUCT*>(sent->lParam)->itemID);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Posted WM_NULLs that reached the controller's message window.
int messageWindowNulls = 0;
LRESULT CALLBACK WatchPosted(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* posted = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && posted->message == WM_NULL &&
        posted->hwnd == Trelvane::Instance().MessageWindow())
        ++messageWindowNulls;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The windows the controller brings to the foreground.
std::vector<HWND> foregroundWindows;
BOOL WINAPI RecordForeground(HWND window) {
    foregroundWindows.push_back(window);
    return TRUE;
}

std::vector<std::wstring> askedQuestions;
int WINAPI AnswerNo(HWND, LPCWSTR text, LPCWSTR, UINT) {
    askedQuestions.push_back(text);
    return IDNO;
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> rgb; // top-down, as COLORREF
};

Pixels ReadBitmap(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    Pixels pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO format = TopDown32(info.bmWidth, info.bmHeight);
    std::vector<DWORD> bgr(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    GetDIBits(WindowDC(nullptr).get(), bitmap, 0, info.bmHeight, bgr.data(), &format, DIB_RGB_COLORS);
    for (DWORD p : bgr) pixels.rgb.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

class TrayMenuTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn = new InProcessHost();
        tray = new ShellTray();
        Trelvane::Instance().onInit();
        startUpAdds = AddedIds();
        HWND main = standIn->host.MainWindow();
        mainWindowProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchedMainWindowProc)));
    }
    void SetUp() override {
        playback().Stop();
        cfg::VolumeSlider = false;
        cfg::AutoVolumeOnStream = false;
        cfg::Language = 0;
        fb2k_host::PumpMessagesFor(20);
        standIn->host.Commands().Clear();
        mainWindowTraffic = MainWindowTraffic();
        drawnItems.clear();
        tray->Clear();
    }
    static Trelvane& controller() { return Trelvane::Instance(); }
    static fb2k_host::PlaybackEngine& playback() { return standIn->playback(); }
    static const Commands& executed() { return standIn->host.Commands().Executed(); }
    static HMENU menu() { return controller().TrayMenu(); }
    static std::vector<UINT> AddedIds() {
        std::vector<UINT> ids;
        for (const ShellCall& call : tray->CallsOf(NIM_ADD)) ids.push_back(call.id);
        return ids;
    }

    // Right-clicks the strip and types `keys` into the menu that opens.
    static void Choose(const std::wstring& keys) {
        PopupMenuDriver driver = PopupMenuDriver::Typing(keys);
        controller().onRightClick();
        EXPECT_TRUE(driver.MenuShown()) << "no menu window came up for \"" << std::string(keys.begin(), keys.end())
                                        << '"';
        EXPECT_FALSE(driver.TimedOut()) << "the menu did not take the keys";
    }
    static bool Checked(UINT item) { return (GetMenuState(menu(), item, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    static InProcessHost* standIn;
    static ShellTray* tray;
    static std::vector<UINT> startUpAdds;
};
InProcessHost* TrayMenuTest::standIn = nullptr;
ShellTray* TrayMenuTest::tray = nullptr;
std::vector<UINT> TrayMenuTest::startUpAdds;

TEST_F(TrayMenuTest, EachItemRunsThePlayersCommandAndNothingReachesTheMainWindow) {
    const struct {
        const wchar_t* keys;
        Commands expected;
    } items[] = {
        {L"b", {"Previous"}},
        {L"p", {"Play"}}, // nothing plays
        {L"s", {"Stop"}},
        {L"n", {"Next"}},
        {L"lf", {"Activate", "Open"}},
        {L"ld", {"Activate", "Add directory"}},
        {L"lu", {"Activate", "Add location"}},
        {L"cc", {"Preferences"}},
        {L"q", {"Exit"}},
    };
    for (const auto& item : items) {
        standIn->host.Commands().Clear();
        Choose(item.keys);
        EXPECT_EQ(executed(), item.expected) << std::string(item.keys, item.keys + wcslen(item.keys));
    }
    EXPECT_TRUE(mainWindowTraffic.commands.empty());
}

TEST_F(TrayMenuTest, PlayPauseFollowsThePlayersState) {
    playback().SetPlaylist({FileTrack(200)});
    playback().Play();
    standIn->host.Commands().Clear();
    Choose(L"p");
    EXPECT_EQ(executed(), (Commands{"Pause"})) << "chosen while playing";
    EXPECT_TRUE(playback().IsPaused()) << "chosen while playing";
    Choose(L"p");
    EXPECT_EQ(executed(), (Commands{"Pause", "Pause"})) << "paused is still playing: the pause toggles back";
    EXPECT_FALSE(playback().IsPaused()) << "chosen while paused";
}

TEST_F(TrayMenuTest, DismissingSendsCommandZeroToTheMainWindowAfterTheOwnerDrawnBandShowed) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchOwnerDraw, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    PopupMenuDriver driver = PopupMenuDriver::Dismissing();
    controller().onRightClick();
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(driver.MenuShown());
    EXPECT_EQ(mainWindowTraffic.commands, std::vector<WPARAM>{0});
    EXPECT_TRUE(executed().empty());
    EXPECT_EQ(std::count(drawnItems.begin(), drawnItems.end(), Trelvane::kTitleBandItem), 1)
        << "the menu, owned by the message window, had it draw the title band";
    fb2k_host::PumpMessagesFor(50);
    EXPECT_EQ(mainWindowTraffic.nulls, 0) << "the WM_NULL after the menu goes to the menu's owner";
}

// The menu opens where it was asked for: at the pointer after a right click, at the icon
// after the menu key (Shift+F10) while the pointer is elsewhere. Either way its owner, the
// message window, is brought to the foreground first and gets a WM_NULL afterwards.
TEST_F(TrayMenuTest, MenuOpensAtThePointerAfterAClickAndAtTheIconFromTheKeyboard) {
    TrayGeometry geometry;
    IatHook foreground(GetModuleHandleW(nullptr), "user32.dll", "SetForegroundWindow",
                       reinterpret_cast<void*>(&RecordForeground));
    ASSERT_TRUE(geometry.Installed() && foreground.Installed());
    geometry.SetShellRect(NotifyIcons::kIconId[1], RECT{900, 700, 924, 730});
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &WatchPosted, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    struct Case {
        const char* what;
        bool afterRightRelease;
        POINT pointer;
        POINT menuCorner;
    };
    // The key first: a right release just before would make the context-menu message a click's.
    for (const Case& c :
         {Case{"the menu key", false, {50, 60}, {900, 700}}, Case{"a right click", true, {400, 500}, {400, 500}}}) {
        geometry.SetPointer(c.pointer);
        foregroundWindows.clear();
        messageWindowNulls = 0;
        RECT menuRect = {};
        PopupMenuDriver driver = PopupMenuDriver::Dismissing();
        driver.WhileOpen([&](HWND menuWindow) { GetWindowRect(menuWindow, &menuRect); });
        if (c.afterRightRelease) controller().NotifyIconCallback(WM_RBUTTONUP, NotifyIcons::kIconId[1]);
        controller().NotifyIconCallback(WM_CONTEXTMENU, NotifyIcons::kIconId[1]);
        fb2k_host::PumpMessagesFor(50);
        EXPECT_TRUE(driver.MenuShown()) << c.what;
        // Left-aligned, bottom at the point: the menu opens above it.
        EXPECT_EQ(menuRect.left, c.menuCorner.x) << c.what;
        EXPECT_EQ(menuRect.bottom, c.menuCorner.y) << c.what;
        EXPECT_EQ(foregroundWindows, std::vector<HWND>{controller().MessageWindow()}) << c.what;
        EXPECT_EQ(messageWindowNulls, 1) << c.what;
    }
    UnhookWindowsHookEx(hook);
}

TEST_F(TrayMenuTest, SliderItemsAreCheckedFromTheSettingAndStoreTheChoice) {
    cfg::VolumeSlider = true;
    Choose(L"cs");
    EXPECT_TRUE(Checked(kVolumeSliderItem)) << "marks set when the menu opened";
    EXPECT_FALSE(Checked(kSeekSliderItem)) << "opened with the volume slider";
    EXPECT_FALSE(cfg::VolumeSlider) << "seek slider chosen";
    EXPECT_FALSE(controller().VolumeSliderActive()) << "the strip shows the seek cursor";

    Choose(L"cv");
    EXPECT_TRUE(Checked(kSeekSliderItem)) << "opened with the seek slider";
    EXPECT_FALSE(Checked(kVolumeSliderItem)) << "opened with the seek slider";
    EXPECT_TRUE(cfg::VolumeSlider) << "volume slider chosen";
    EXPECT_TRUE(controller().VolumeSliderActive()) << "the strip shows the volume cursor";
    EXPECT_TRUE(executed().empty());
}

// resource values typed: the items, positions and glyph bitmaps as the tray menu defines them.
TEST_F(TrayMenuTest, ItemsCarryThirteenPixelGlyphsAndBothSliderItemsTheCheckGlyph) {
    const struct {
        UINT item;
        bool byPosition;
        bool unchecked;
        bool checked;
    } items[] = {
        {59000, false, true, false},
        {59008, false, true, true},
        {59012, false, true, false},
        {59007, false, true, false},
        {4, true, true, false},
        {59014, false, true, false},
        {7, true, true, false},
        {59016, false, true, false},
        {40011, false, true, false},
        {59009, false, true, false},
        {59005, false, true, false},
        {59004, false, true, false},
        {59006, false, true, false},
        {kSeekSliderItem, false, false, true},
        {kVolumeSliderItem, false, false, true},
    };
    HMENU load = GetSubMenu(menu(), 4), configuration = GetSubMenu(menu(), 7);
    for (const auto& entry : items) {
        HMENU owner = entry.byPosition || GetMenuState(menu(), entry.item, MF_BYCOMMAND) != UINT(-1) ? menu()
                      : GetMenuState(load, entry.item, MF_BYCOMMAND) != UINT(-1)                     ? load
                                                                                                     : configuration;
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_CHECKMARKS;
        ASSERT_TRUE(GetMenuItemInfoW(owner, entry.item, entry.byPosition, &info)) << entry.item;
        for (HBITMAP glyph :
             {entry.unchecked ? info.hbmpUnchecked : nullptr, entry.checked ? info.hbmpChecked : nullptr}) {
            if (!glyph) continue;
            Pixels pixels = ReadBitmap(glyph);
            EXPECT_EQ(pixels.width, 13) << entry.item;
            EXPECT_EQ(pixels.height, 13) << entry.item;
        }
        EXPECT_EQ(info.hbmpUnchecked != nullptr, entry.unchecked) << entry.item;
        EXPECT_EQ(info.hbmpChecked != nullptr, entry.checked) << entry.item;
    }
    UniqueBitmap check(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(30003)));
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoW(configuration, kVolumeSliderItem, FALSE, &info);
    EXPECT_EQ(ReadBitmap(info.hbmpChecked).rgb, ReadBitmap(check.get()).rgb);
}

// Every item the user can read, in the popup and its sub-menus, in every language the
// component carries: a text, never the bare string id of an item the translation missed.
TEST_F(TrayMenuTest, EveryItemShowsATextInEachLanguage) {
    const LanguageList languages = EnumLanguages(GetModuleHandleW(nullptr));
    ASSERT_EQ(languages.size(), 24u);
    for (const auto& language : languages) {
        cfg::Language = language.second;
        controller().InitMenuText();
        int readable = 0;
        std::function<void(HMENU, const std::string&)> check = [&](HMENU m, const std::string& where) {
            for (int position = 0; position < GetMenuItemCount(m); ++position) {
                const std::string item = where + "/" + std::to_string(position);
                if (HMENU sub = GetSubMenu(m, position)) check(sub, item);
                MENUITEMINFOW info = {};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_FTYPE;
                GetMenuItemInfoW(m, static_cast<UINT>(position), TRUE, &info);
                if (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) continue;
                ++readable;
                const std::wstring text = GetMenuString(m, position);
                EXPECT_FALSE(text.empty()) << "language " << language.second << ", item " << item << ": no text";
                if (!text.empty()) {
                    EXPECT_NE(text.find_first_not_of(L"0123456789"), std::wstring::npos)
                        << "language " << language.second << ", item " << item << ": a bare number, " << text.size()
                        << " digits";
                }
            }
        };
        check(menu(), "");
        // 9 in the popup (the title band is drawn), 3 under Load, 4 under Configuration.
        EXPECT_EQ(readable, 16) << "language " << language.second;
    }
}

TEST_F(TrayMenuTest, ResetTrayIconsTakesBothIconsAwayAndAddsThemInTheProfilesOrder) {
    ASSERT_EQ(startUpAdds.size(), 2u);
    Choose(L"cr");
    // The ids as the start-up added them: side by side in the profile's order.
    const WPARAM first = startUpAdds[0], second = startUpAdds[1];
    EXPECT_TRUE(ShellGot(*tray, "both icons removed, then added as at start-up",
                         {{NIM_DELETE, kWParam, 6862, 0},
                          {NIM_DELETE, kWParam, 6863, 0},
                          {NIM_ADD, kWParam, first, 0},
                          {NIM_ADD, kWParam, second, 0},
                          {NIM_SETVERSION, kWParam, 6862, 0},
                          {NIM_SETVERSION, kWParam, 6863, 0}}));
    EXPECT_TRUE(tray->Holds(NotifyIcons::kIconId[0]));
    EXPECT_TRUE(tray->Holds(NotifyIcons::kIconId[1]));
}

TEST_F(TrayMenuTest, ShowHideActivatesAMinimisedPlayerAndHidesAVisibleOne) {
    HWND main = standIn->host.MainWindow();
    ShowWindow(main, SW_SHOWMINNOACTIVE);
    Choose(L"h");
    EXPECT_EQ(executed(), (Commands{"Activate"})) << "chosen while minimised";
    EXPECT_FALSE(IsIconic(main));
    Choose(L"h");
    EXPECT_EQ(executed(), (Commands{"Activate", "Hide"})) << "chosen while shown";
    EXPECT_FALSE(IsWindowVisible(main));
}

TEST_F(TrayMenuTest, DeleteAsksInTheUsersLanguageAndANoKeepsEverything) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring file = std::wstring(temp) + L"trelvane-menu-delete.mp3";
    OwnFile(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)); // created, closed
    fb2k_host::TrackInfo track = FileTrack(100);
    track.path = fb2k_host::WideToUtf8(file);
    playback().SetPlaylist({track});
    playback().Play();
    standIn->host.Commands().Clear();
    askedQuestions.clear();
    const WORD german = 0x0407;
    cfg::Language = german;
    {
        IatHook messageBox(GetModuleHandleW(nullptr), "user32.dll", "MessageBoxW", reinterpret_cast<void*>(&AnswerNo));
        ASSERT_TRUE(messageBox.Installed());
        Choose(L"d");
    }
    cfg::Language = 0;
    std::wstring question = LoadResString(GetModuleHandleW(nullptr), IDS_DELETE_QUESTION, german);
    ASSERT_NE(question, LoadResString(GetModuleHandleW(nullptr), IDS_DELETE_QUESTION, 0))
        << "the German table has its own";
    ASSERT_EQ(askedQuestions.size(), 1u);
    EXPECT_EQ(askedQuestions[0].substr(0, question.size()), question);
    EXPECT_EQ(playback().Playlist().size(), 1u);
    EXPECT_TRUE(executed().empty());
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    playback().Stop();
    DeleteFileW(file.c_str());
}

// A memory surface larger than the band, filled with a colour the band never uses.
class Canvas {
public:
    static constexpr COLORREF kUntouched = RGB(1, 2, 3);
    Canvas(int width, int height) : m_width(width), m_height(height), m_surface(Section(width, height, m_bits)) {
        for (int i = 0; i < width * height; ++i) m_bits[i] = 0x010203;
    }
    HDC dc() const { return m_surface.get(); }
    COLORREF at(int x, int y) const {
        GdiFlush();
        DWORD p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    static UniqueBitmap Section(int width, int height, DWORD*& bits) {
        BITMAPINFO format = TopDown32(width, height);
        return UniqueBitmap(
            CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    }
    int m_width, m_height;
    DWORD* m_bits = nullptr;
    MemorySurface m_surface;
};

TEST_F(TrayMenuTest, TitleBandIs18By245ReadsTopToBottomAndLeavesNoObjectsBehind) {
    Canvas canvas(60, 300);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = Trelvane::kTitleBandItem;
    item.hDC = canvas.dc();
    item.rcItem = {20, 10, 25, 50}; // narrower and shorter than the band
    GdiTracker gdi;
    ASSERT_TRUE(gdi.Installed());
    controller().onDrawItem(item);
    EXPECT_GE(gdi.Created(), 4u);
    EXPECT_EQ(gdi.Live(), 0u) << "both contexts and both bitmaps are gone";

    const int left = item.rcItem.left - 1, top = item.rcItem.top;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int outside = 0, firstInkRow = -1, lastInkRow = -1, firstRowInkRight = 0, firstRowInkLeft = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            bool inBand = x >= left && x < left + kBandThickness && y >= top && y < top + kBandLength;
            COLORREF pixel = canvas.at(x, y);
            if (!inBand) {
                outside += pixel != Canvas::kUntouched;
                continue;
            }
            ASSERT_NE(pixel, Canvas::kUntouched) << x << "," << y;
            if (pixel == face) continue;
            if (firstInkRow < 0) firstInkRow = y;
            lastInkRow = y;
            if (y == firstInkRow) (x - left >= kBandThickness / 2 ? firstRowInkRight : firstRowInkLeft) += 1;
        }
    }
    EXPECT_EQ(outside, 0) << "nothing drawn outside 18 x 245 at the item's left edge - 1";
    ASSERT_GE(firstInkRow, 0) << "the band carries text";
    // The text is drawn 5 pixels in from its start; its start is the top of the band.
    EXPECT_GE(firstInkRow - top, 5);
    EXPECT_LE(firstInkRow - top, 8);
    EXPECT_LT(lastInkRow - top, 140) << "one short word, from the top";
    // Turned clockwise, the top of the letters faces right: the first letter's first ink is there.
    EXPECT_GT(firstRowInkRight, 0);
    EXPECT_EQ(firstRowInkLeft, 0);
}

TEST_F(TrayMenuTest, TitleBandIsTheLastItemOwnerDrawnAfterTheQuitItem) {
    int count = GetMenuItemCount(menu());
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu(), count - 1), Trelvane::kTitleBandItem);
    EXPECT_EQ(GetMenuItemID(menu(), count - 2), Trelvane::kQuitItem);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu(), count - 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fType & MFT_MENUBARBREAK);
    EXPECT_TRUE(info.fState & MFS_GRAYED);
}

// The menus the controller loads from its resources, as loaded.
std::vector<HMENU> loadedMenus;
IatHook* loadMenuHook = nullptr;
HMENU WINAPI RecordLoadMenuW(HINSTANCE module, LPCWSTR name) {
    HMENU menu = OriginalOf<decltype(&LoadMenuW)>(*loadMenuHook)(module, name);
    loadedMenus.push_back(menu);
    return menu;
}

// Bit 0: one menu resource was loaded. Bit 1: its menu bar is gone again. Bit 2: the popup
// the controller keeps is still a menu, with the items of the resource.
CHILD_PROCESS_BODY(menu_bar_after_start_up) {
    IatHook hook(GetModuleHandleW(nullptr), "user32.dll", "LoadMenuW", reinterpret_cast<void*>(&RecordLoadMenuW));
    if (!hook.Installed()) return 99;
    loadMenuHook = &hook;
    InProcessHost standIn;
    Trelvane::Instance().onInit();
    HMENU popup = Trelvane::Instance().TrayMenu();
    ChildChecks checks;
    const bool loadedOnce = loadedMenus.size() == 1 && loadedMenus[0];
    checks.Expect(loadedOnce, "LoadMenuW gave " + std::to_string(loadedMenus.size()) + " menus, want one");
    checks.Expect(!loadedOnce || !IsMenu(loadedMenus[0]), "the menu bar was kept after start-up");
    checks.Expect(IsMenu(popup) && GetMenuItemCount(popup) >= 12,
                  "the popup has " + std::to_string(GetMenuItemCount(popup)) + " items, want 12 or more");
    return checks.Failed();
}

TEST(TrayMenuResource, OnlyThePopupIsKeptAndTheMenuBarIsDestroyed) {
    ChildResult child = RunChild("menu_bar_after_start_up");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.report, "");
    EXPECT_EQ(child.exitCode, 0u);
}

CHILD_PROCESS_BODY(menu_without_quit_item) {
    InProcessHost standIn;
    Trelvane::Instance().onInit();
    HMENU menu = Trelvane::Instance().TrayMenu();
    int last = GetMenuItemCount(menu) - 1;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, last, TRUE, &info);
    ChildChecks checks;
    checks.Expect(GetMenuState(menu, Trelvane::kQuitItem, MF_BYCOMMAND) == UINT(-1), "the quit item is in the menu");
    checks.Expect(GetMenuItemID(menu, last) == Trelvane::kTitleBandItem, "the title band is not the last item");
    checks.Expect((info.fType & MFT_OWNERDRAW) != 0, "the last item is not owner-drawn");
    return checks.Failed();
}

TEST(TrayMenuWithoutQuitItem, TheTitleBandStaysTheLastOwnerDrawnItem) {
    const wchar_t* key = L"Software\\Morvalen\\Trelvane";
    DWORD zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"ShowExitMenuItem", REG_DWORD, &zero, sizeof(zero));
    ChildResult child = RunChild("menu_without_quit_item");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"ShowExitMenuItem");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.report, "");
    EXPECT_EQ(child.exitCode, 0u);
}

// The position of the popup's sub-menu that holds `command` itself, -1 when none does.
int SubMenuHolding(HMENU popup, UINT command) {
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        HMENU sub = GetSubMenu(popup, position);
        for (int item = 0; sub && item < GetMenuItemCount(sub); ++item)
            if (GetMenuItemID(sub, item) == command) return position;
    }
    return -1;
}

// The menu resource shows, as each item's text, the string id the item table gives it: the
// table is what a reader of the code sees, the resource is what the user sees translated.
TEST(TrayMenuTable, EachItemOfTheResourceShowsTheStringIdOfItsRow) {
    UniqueMenu bar(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    ASSERT_TRUE(bar);
    HMENU popup = GetSubMenu(bar.get(), 0);
    for (size_t i = 0; i < kTrayMenuItemCount; ++i) {
        const TrayMenuItem& row = kTrayMenuItems[i];
        wchar_t text[32] = {};
        if (row.command) GetMenuStringW(popup, row.command, text, 32, MF_BYCOMMAND);
        else GetMenuStringW(popup, static_cast<UINT>(SubMenuHolding(popup, row.heldCommand)), text, 32, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), std::to_wstring(row.text))
            << "row " << i << " (command " << row.command << "): the resource's text is the row's string id";
        EXPECT_EQ(row.handler == nullptr, row.command == 0)
            << "row " << i << ": a command has a handler, a sub-menu none";
    }
}
} // namespace
