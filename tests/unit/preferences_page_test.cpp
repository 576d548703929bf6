// The preferences page in a window of the test: the controls show the stored settings, a
// change is reported to the player, apply stores everything and re-applies it live, reset
// puts defaults in without storing, another language relabels the page at once, and odd
// stored values give a page that still works and loses nothing.
#include "controller/Trelvane.h"
#include "prefs/pref_page.h"
#include "prefs/pref_page_instance.h"
#include "resources/resource.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include "settings/strings.h"
#include "tests/support/in_process_host.h"
#include "tests/support/shell_tray.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kPause = IDC_PAUSE_ON_SCREEN_SAVER, kFormat = IDC_BALLOON_FORMAT, kTitle = IDC_BALLOON_TITLE,
              kCredit = IDC_TRANSLATOR_CREDIT, kAutoVolume = IDC_AUTO_VOLUME_ON_STREAM,
              kStreamBalloon = IDC_SHOW_BALLOON_ON_STREAM, kSkins = IDC_SKINS, kLanguages = IDC_LANGUAGES,
              kHideAfter = IDC_HIDE_AFTER, kBalloon = IDC_SHOW_BALLOON;
constexpr t_uint32 kUnchanged = preferences_page_instance::resettable;
constexpr t_uint32 kChanged = preferences_page_instance::resettable | preferences_page_instance::changed;
constexpr WORD kGerman = 0x0407;

class CountingCallback : public preferences_page_callback {
public:
    void on_state_changed() override { ++calls; }
    int calls = 0;
};

// The window the player would give the page.
class ParentWindow {
public:
    ParentWindow()
        : owner(CreateWindowExW(0, L"Static", L"Preferences", WS_OVERLAPPEDWINDOW, 0, 0, 700, 700, nullptr, nullptr,
                                nullptr, nullptr)),
          window(owner.get()) {}
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    UniqueWindow owner;
    HWND window;
};

// A folder beside the test executable, removed again with whatever was made inside it.
class FolderBesideModule {
public:
    explicit FolderBesideModule(const std::wstring& relative) {
        wchar_t module[MAX_PATH];
        GetModuleFileNameW(nullptr, module, MAX_PATH);
        std::wstring folder = module;
        path = folder.substr(0, folder.find_last_of(L'\\') + 1) + relative;
        created = CreateDirectoryW(path.c_str(), nullptr) != FALSE;
    }
    ~FolderBesideModule() {
        if (created) RemoveDirectoryW(path.c_str());
    }
    FolderBesideModule(const FolderBesideModule&) = delete;
    FolderBesideModule& operator=(const FolderBesideModule&) = delete;
    std::wstring path;
    bool created;
};

std::wstring Text(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    std::vector<wchar_t> buffer(GetWindowTextLengthW(control) + 1);
    GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}
bool Ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }
std::wstring Entry(HWND dialog, int id, int position) {
    wchar_t text[512] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(text));
    return text;
}
std::vector<std::wstring> Entries(HWND dialog, int id) {
    std::vector<std::wstring> entries;
    int count = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) entries.push_back(Entry(dialog, id, i));
    return entries;
}
std::wstring SelectedEntry(HWND dialog, int id) { return Entry(dialog, id, Selected(dialog, id)); }

// What a user's choice sends: the selection, then the list's notification to the dialog.
void Choose(HWND dialog, int id, int position) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, position, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void ChooseText(HWND dialog, int id, const std::wstring& text) {
    int position = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                        reinterpret_cast<LPARAM>(text.c_str())));
    ASSERT_GE(position, 0) << "no entry " << std::string(text.begin(), text.end());
    Choose(dialog, id, position);
}
void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
// Typing over the whole text: the edit box tells the dialog (EN_CHANGE).
void Type(HWND dialog, int id, const std::wstring& text) {
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

RECT ClientRect(HWND dialog, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class PreferencesPageTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn = new InProcessHost();
        tray = new ShellTray();
        Trelvane::Instance().onInit();
    }
    static void TearDownTestSuite() {
        Trelvane::Instance().onQuit();
        delete tray;
        delete standIn;
    }
    void SetUp() override {
        cfg::ShowBalloon = true;
        cfg::ShowBalloonOnStream = true;
        cfg::AutoVolumeOnStream = true;
        cfg::PauseOnScreenSaver = false;
        cfg::VolumeSlider = false;
        cfg::BalloonHideAfter = 4;
        cfg::Language = 0;
        cfg::BalloonTitle = cfg::kDefaultBalloonTitle;
        cfg::BalloonFormat = "[%artist%\r\n][%album%]";
        cfg::SkinName = "";
        Trelvane::Instance().InitMenuText();
        tray->Clear();
    }
    void TearDown() override { page.release(); }

    HWND Open() {
        callback = fb2k_service_new<CountingCallback>();
        page = pageService.make_instance(parent.window, callback);
        return page->get_wnd();
    }
    int Notifications() const { return static_cast<CountingCallback*>(callback.get_ptr())->calls; }
    static std::wstring TrayMenuText(int position) { return GetMenuString(Trelvane::Instance().TrayMenu(), position); }
    // Redraws of the strip's icons since the last Clear().
    static size_t IconRedraws() {
        size_t redraws = 0;
        for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
            if ((call.flags & NIF_ICON) && call.window == Trelvane::Instance().MessageWindow()) ++redraws;
        return redraws;
    }

    static InProcessHost* standIn;
    static ShellTray* tray;
    service_impl_single_t<TVFPrefPage> pageService;
    ParentWindow parent;
    service_ptr_t<preferences_page_callback> callback;
    service_ptr_t<preferences_page_instance> page;
};
InProcessHost* PreferencesPageTest::standIn = nullptr;
ShellTray* PreferencesPageTest::tray = nullptr;

TEST_F(PreferencesPageTest, DescribesItselfToThePlayer) {
    EXPECT_STREQ(pageService.get_name(), "Trelvane");
    const GUID pageGuid = {0xB7B0826C, 0x5F34, 0x46B7, {0xBE, 0xE6, 0x0B, 0x60, 0xCD, 0x59, 0x2A, 0xCE}};
    const GUID toolsPage = {0x627C0767, 0x0793, 0x44F8, {0x80, 0x87, 0xBE, 0x49, 0x34, 0x31, 0x12, 0x82}};
    EXPECT_TRUE(pfc::guid_equal(pageService.page_guid(), pageGuid));
    EXPECT_TRUE(pfc::guid_equal(pageService.parent_guid(), toolsPage));
    pfc::string8 help;
    EXPECT_TRUE(pageService.get_help_url(help));
    EXPECT_EQ(std::string(help.get_ptr()).rfind("https://", 0), 0u);
    service_ptr_t<preferences_page_v3> v3;
    EXPECT_TRUE(service_ptr_t<preferences_page>(&pageService).cast(v3)) << "found as a version 3 page";
}

TEST_F(PreferencesPageTest, OpensShowingTheStoredSettingsInEnglish) {
    cfg::PauseOnScreenSaver = true;
    cfg::ShowBalloonOnStream = false;
    cfg::BalloonHideAfter = 7;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetParent(dialog), parent.window);
    EXPECT_EQ(page->get_state(), kUnchanged);
    EXPECT_GE(Notifications(), 1) << "the player is told to ask for the state";

    EXPECT_TRUE(Ticked(dialog, kBalloon));
    EXPECT_FALSE(Ticked(dialog, kStreamBalloon));
    EXPECT_TRUE(Ticked(dialog, kAutoVolume));
    EXPECT_TRUE(Ticked(dialog, kPause));
    EXPECT_EQ(Text(dialog, kTitle), L"$if(%title%,[%tracknumber% - ]%title%,%_filename%)");
    EXPECT_EQ(Text(dialog, kFormat), L"[%artist%\r\n][%album%]");
    ASSERT_EQ(Entries(dialog, kHideAfter).size(), 10u);
    EXPECT_EQ(Entries(dialog, kHideAfter).front(), L"1 s");
    EXPECT_EQ(Entries(dialog, kHideAfter).back(), L"10 s");
    EXPECT_EQ(SelectedEntry(dialog, kHideAfter), L"7 s") << "the balloon's seconds";
    EXPECT_EQ(SelectedEntry(dialog, kSkins), L"[Built-In]");
    EXPECT_EQ(SelectedEntry(dialog, kLanguages), L"English");
    EXPECT_EQ(Entries(dialog, kLanguages).size(), 24u);

    EXPECT_EQ(Text(dialog, kBalloon), L"Song title &balloon - Hide after");
    EXPECT_EQ(Text(dialog, kPause), L"Auto-pause when screensaver starts");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kCredit)) ||
                 (GetWindowLongW(GetDlgItem(dialog, kCredit), GWL_STYLE) & WS_VISIBLE))
        << "English has no translator";
    EXPECT_NE(SendMessageW(GetDlgItem(dialog, IDC_WEB_ADDRESS), WM_GETTEXTLENGTH, 0, 0), 0);
    RECT label = ClientRect(dialog, kBalloon), list = ClientRect(dialog, kHideAfter);
    EXPECT_GT(list.left, label.right) << "the hide-after list sits beside its label";
    EXPECT_LE(list.left - label.right, 10);
}

TEST_F(PreferencesPageTest, EveryEditIsReportedAndUndoingItIsUnchangedAgain) {
    HWND dialog = Open();
    struct Edit {
        const char* what;
        std::function<void()> change, undo;
    };
    const std::vector<Edit> edits = {
        {"balloon box", [&] { Click(dialog, kBalloon); }, [&] { Click(dialog, kBalloon); }},
        {"hide after", [&] { Choose(dialog, kHideAfter, 8); }, [&] { Choose(dialog, kHideAfter, 3); }},
        {"stream balloon", [&] { Click(dialog, kStreamBalloon); }, [&] { Click(dialog, kStreamBalloon); }},
        {"auto volume", [&] { Click(dialog, kAutoVolume); }, [&] { Click(dialog, kAutoVolume); }},
        {"auto-pause", [&] { Click(dialog, kPause); }, [&] { Click(dialog, kPause); }},
        {"language", [&] { ChooseText(dialog, kLanguages, L"Deutsch (German)"); },
         [&] { ChooseText(dialog, kLanguages, L"English"); }},
        {"title", [&] { Type(dialog, kTitle, L"%title%"); },
         [&] { Type(dialog, kTitle, L"$if(%title%,[%tracknumber% - ]%title%,%_filename%)"); }},
        {"format", [&] { Type(dialog, kFormat, L"[%album%]"); },
         [&] { Type(dialog, kFormat, L"[%artist%\r\n][%album%]"); }},
    };
    for (const Edit& edit : edits) {
        int before = Notifications();
        edit.change();
        EXPECT_GT(Notifications(), before) << edit.what;
        EXPECT_EQ(page->get_state(), kChanged) << edit.what;
        edit.undo();
        EXPECT_EQ(page->get_state(), kUnchanged) << edit.what;
    }
    EXPECT_EQ(cfg::Language, 0) << "choosing is not applying";
}

TEST_F(PreferencesPageTest, ApplyStoresEverySettingAndReappliesThemLive) {
    HWND dialog = Open();
    Click(dialog, kBalloon);
    Click(dialog, kStreamBalloon);
    Click(dialog, kAutoVolume);
    Click(dialog, kPause);
    Choose(dialog, kHideAfter, 9);
    Type(dialog, kTitle, L"%artist% – %title%");
    Type(dialog, kFormat, L"Zeile\r\n%album%");
    ChooseText(dialog, kLanguages, L"Deutsch (German)");
    ASSERT_EQ(page->get_state(), kChanged);

    page->apply();
    EXPECT_FALSE(cfg::ShowBalloon);
    EXPECT_FALSE(cfg::ShowBalloonOnStream);
    EXPECT_FALSE(cfg::AutoVolumeOnStream);
    EXPECT_TRUE(cfg::PauseOnScreenSaver);
    EXPECT_EQ(cfg::BalloonHideAfter, 10) << "\"10 s\" is ten seconds for the balloon";
    EXPECT_STREQ(cfg::BalloonTitle.get_ptr(), "%artist% \xE2\x80\x93 %title%");
    EXPECT_STREQ(cfg::BalloonFormat.get_ptr(), "Zeile\r\n%album%");
    EXPECT_EQ(cfg::Language, kGerman);
    EXPECT_EQ(page->get_state(), kUnchanged) << "after apply";

    EXPECT_EQ(TrayMenuText(0), L"&Zurück") << "the tray menu speaks the new language";
    EXPECT_EQ(Text(dialog, kBalloon).rfind(L"Sprech&blase mit Songtitel - Ausblenden nach", 0), 0u);
    bool hostIconSwitched = false;
    for (const ShellCall& call : tray->CallsOf(NIM_MODIFY))
        hostIconSwitched |= call.id == 0 && (call.flags & NIF_STATE) && call.window == standIn->host.MainWindow();
    EXPECT_TRUE(hostIconSwitched) << "the player's own icon is shown or hidden again";
}

TEST_F(PreferencesPageTest, ApplyWithNothingChangedLeavesTrayMenuAndIconsAlone) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(L"untouched");
    SetMenuItemInfoW(Trelvane::Instance().TrayMenu(), 0, TRUE, &item);
    Open();
    tray->Clear();
    page->apply();
    EXPECT_EQ(TrayMenuText(0), L"untouched");
    EXPECT_EQ(IconRedraws(), 0u) << "the skin did not change";
}

TEST_F(PreferencesPageTest, ResetShowsTheDefaultsButStoresNothing) {
    cfg::ShowBalloon = false;
    cfg::ShowBalloonOnStream = false;
    cfg::AutoVolumeOnStream = false;
    cfg::PauseOnScreenSaver = true;
    cfg::BalloonHideAfter = 9;
    cfg::BalloonTitle = "%title%";
    HWND dialog = Open();
    int before = Notifications();
    page->reset();
    EXPECT_GT(Notifications(), before);
    EXPECT_TRUE(Ticked(dialog, kBalloon));
    EXPECT_TRUE(Ticked(dialog, kStreamBalloon));
    EXPECT_TRUE(Ticked(dialog, kAutoVolume));
    EXPECT_FALSE(Ticked(dialog, kPause));
    EXPECT_EQ(SelectedEntry(dialog, kHideAfter), L"4 s") << "the default of four seconds";
    EXPECT_EQ(Text(dialog, kTitle), L"$if(%title%,[%tracknumber% - ]%title%,%_filename%)");
    EXPECT_EQ(Text(dialog, kFormat), DEFBALLOONFORMAT());
    EXPECT_EQ(SelectedEntry(dialog, kSkins), L"[Built-In]");
    EXPECT_EQ(page->get_state(), kChanged);
    EXPECT_FALSE(cfg::ShowBalloon);
    EXPECT_EQ(cfg::BalloonHideAfter, 9) << "reset alone stores nothing";
    EXPECT_STREQ(cfg::BalloonTitle.get_ptr(), "%title%");

    page->apply();
    EXPECT_EQ(cfg::BalloonHideAfter, 4) << "reset and apply give the settings' default";
}

// resource values typed: the card's check box is control 1027.
TEST_F(PreferencesPageTest, TheCardBoxIsOnByDefaultStoredOnApplyAndTranslated) {
    constexpr int kCard = 1027;
    cfg::ShowCard = true;
    HWND dialog = Open();
    EXPECT_TRUE(Ticked(dialog, kCard)) << "as stored";
    EXPECT_EQ(Text(dialog, kCard), L"Show a card when the pointer rests on the strip");
    Click(dialog, kCard);
    EXPECT_EQ(page->get_state(), kChanged);
    page->apply();
    EXPECT_FALSE(cfg::ShowCard);
    page->reset();
    EXPECT_TRUE(Ticked(dialog, kCard)) << "on by default";
    ChooseText(dialog, kLanguages, L"Deutsch (German)");
    EXPECT_EQ(Text(dialog, kCard), L"Eine Karte zeigen, wenn der Mauszeiger auf der Leiste ruht");
    cfg::ShowCard = true;
}

TEST_F(PreferencesPageTest, PreviewingALanguageRelabelsThePageAgainAndAgain) {
    cfg::BalloonTitle =
        RESOURCE_TEXT(IDS_PAGE_SHOW_BALLOON) " %title%"; // a number at the start is the user's text, not a string id
    HWND dialog = Open();
    RECT englishLabel = ClientRect(dialog, kBalloon);

    ChooseText(dialog, kLanguages, L"Deutsch (German)");
    EXPECT_EQ(Text(dialog, kBalloon), L"Sprech&blase mit Songtitel - Ausblenden nach");
    EXPECT_EQ(Text(dialog, kCredit), L"Übersetzung: the Trelvane team - translations@trelvane.example.org")
        << "the translator is credited, with one colon";
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, kCredit), GWL_STYLE) & WS_VISIBLE) << "shown for German";
    RECT germanLabel = ClientRect(dialog, kBalloon), list = ClientRect(dialog, kHideAfter);
    EXPECT_GT(germanLabel.right, englishLabel.right) << "the longer label is wider";
    EXPECT_EQ(list.left, germanLabel.right + 10) << "the hide-after list follows its label";

    ChooseText(dialog, kLanguages, L"English");
    EXPECT_EQ(Text(dialog, kBalloon), L"Song title &balloon - Hide after");
    EXPECT_FALSE(GetWindowLongW(GetDlgItem(dialog, kCredit), GWL_STYLE) & WS_VISIBLE) << "hidden again for English";
    EXPECT_EQ(Text(dialog, kTitle), L"" RESOURCE_TEXT(IDS_PAGE_SHOW_BALLOON) L" %title%");
    EXPECT_EQ(cfg::Language, 0) << "previewing stores nothing";
    EXPECT_EQ(Text(dialog, kPause), L"Auto-pause when screensaver starts");
}

TEST_F(PreferencesPageTest, ListsSkinFoldersAndAppliesTheChosenOne) {
    FolderBesideModule skins(L"Trelvane");
    FolderBesideModule blue(L"Trelvane\\Blue"), dark(L"Trelvane\\Dark");
    ASSERT_TRUE(blue.created && dark.created);
    cfg::SkinName = "dark"; // letter case aside
    HWND dialog = Open();
    EXPECT_EQ(Entries(dialog, kSkins), (std::vector<std::wstring>{L"[Built-In]", L"Blue", L"Dark"}));
    EXPECT_EQ(SelectedEntry(dialog, kSkins), L"Dark");

    ChooseText(dialog, kSkins, L"Blue");
    EXPECT_EQ(page->get_state(), kChanged);
    tray->Clear();
    page->apply();
    EXPECT_STREQ(cfg::SkinName.get_ptr(), "Blue");
    EXPECT_GT(IconRedraws(), 0u) << "the icons are loaded from the new skin";

    Choose(dialog, kSkins, 0);
    page->apply();
    EXPECT_STREQ(cfg::SkinName.get_ptr(), "") << "[Built-In] is no folder";
    page.release();
    Trelvane::Instance().InitIcons();
}

TEST_F(PreferencesPageTest, OddStoredValuesGiveAWorkingPage) {
    const std::pair<int, const wchar_t*> hideAfter[] = {{0, L"1 s"}, {-3, L"1 s"}, {30, L"10 s"}, {10, L"10 s"}};
    for (const auto& stored : hideAfter) {
        cfg::BalloonHideAfter = stored.first;
        HWND dialog = Open();
        EXPECT_EQ(SelectedEntry(dialog, kHideAfter), stored.second) << stored.first;
        EXPECT_EQ(page->get_state(), kUnchanged) << stored.first << ": the value is brought into range on opening";
        page.release();
    }

    cfg::BalloonHideAfter = 4;
    cfg::Language = 0x0409; // no table of its own
    cfg::SkinName = "Gone"; // its folder was deleted
    HWND dialog = Open();
    EXPECT_EQ(Selected(dialog, kLanguages), CB_ERR);
    EXPECT_EQ(Text(dialog, kBalloon), L"Song title &balloon - Hide after") << "English throughout";
    EXPECT_EQ(SelectedEntry(dialog, kSkins), L"[Built-In]");
    EXPECT_EQ(page->get_state(), kChanged) << "the built-in images replace the missing skin";
    page->apply();
    EXPECT_EQ(cfg::Language, 0x0409) << "no choice, no change";
    EXPECT_STREQ(cfg::SkinName.get_ptr(), "");
    EXPECT_EQ(page->get_state(), kUnchanged) << "after apply";
}

TEST_F(PreferencesPageTest, HugeTextsAreShownAndStoredWhole) {
    std::string format(100000, 'x');
    format += "%title%";
    cfg::BalloonFormat = format.c_str();
    HWND dialog = Open();
    EXPECT_EQ(Text(dialog, kFormat).size(), format.size());
    EXPECT_EQ(page->get_state(), kUnchanged);
    Type(dialog, kTitle, std::wstring(50000, L'y'));
    page->apply();
    EXPECT_EQ(cfg::BalloonFormat.get_length(), format.size()) << "nothing is cut off";
    EXPECT_EQ(cfg::BalloonTitle.get_length(), 50000u);
}

TEST_F(PreferencesPageTest, ALaterPageTakesOverAndTheEarlierOneLeavesItBe) {
    Open();
    service_ptr_t<preferences_page_instance> first = page;
    Open();
    EXPECT_EQ(TVFPrefPageInst::Current(), static_cast<TVFPrefPageInst*>(page.get_ptr())) << "the second page opened";
    first.release();
    EXPECT_EQ(TVFPrefPageInst::Current(), static_cast<TVFPrefPageInst*>(page.get_ptr())) << "the first page closed";
    page.release();
    EXPECT_EQ(TVFPrefPageInst::Current(), nullptr) << "both pages closed";
}

} // namespace
