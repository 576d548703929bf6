// The stand-in player loads the real foo_Trelvane.dll and runs its life cycle: the service
// list, the version and installation check, start-up and shut-down, and errors of the
// player's SDK passing out of the start-up hook.
#include "host/component_loader.h"
#include "host/host_core.h"
#include "host/playback_engine.h"
#include "host/popup_log.h"
#include "sdk/componentversion.h"
#include "sdk/initquit.h"
#include "sdk/menu.h"
#include "sdk/preferences_page.h"
#include "sdk/titleformat.h"
#include "tests/support/child_process.h"
#include "tests/support/registry_write.h"

#include <gtest/gtest.h>
#include <csignal>
#include <cstdlib>
#include <string>

namespace {

using fb2k_host::Host;
using fb2k_host::LoadedComponent;

const wchar_t* const kComponent = L"foo_Trelvane.dll";

template <typename T> service_ptr_t<T> Lookup(Host& host) {
    service_ptr_t<service_base> found;
    service_ptr_t<T> typed;
    if (host.CreateService(found, T::class_guid, 0)) found.cast(typed);
    return typed;
}

std::string Text(const std::function<void(pfc::string_base&)>& get) {
    pfc::string8 text;
    get(text);
    return text.get_ptr();
}

// The component's message window in this process (another test may run beside this one).
HWND MessageWindow() {
    for (HWND w = FindWindowW(L"#32770", L"TrelvaneMessageWindow"); w;
         w = FindWindowExW(nullptr, w, L"#32770", L"TrelvaneMessageWindow")) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

class ComponentTest : public testing::Test {
protected:
    ComponentTest() : component(host) { host.Popups().SetShowMessageBoxes(false); }
    Host host;
    LoadedComponent component;
};

TEST_F(ComponentTest, AnswersThePlayersClientQueries) {
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    EXPECT_EQ(component.Client()->get_version(), 80u);
    EXPECT_FALSE(component.Client()->is_debug());
}

// The class GUIDs the real player looks its services up by, typed from the player's published
// values (mainmenu_group's is ...-8FB9-..., one byte from a value it once had here).
TEST_F(ComponentTest, ServiceClassGuidsAreThePlayersInTheOrderItWalksThem) {
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    struct Service {
        const char* name;
        GUID classGuid;
    };
    // The player sees the list from the last registered factory back to the first.
    const Service expected[] = {
        {"preferences_page", {0x7255E8D0, 0x3FCF, 0x4781, {0xB9, 0x3B, 0xD0, 0x6C, 0xB8, 0x8D, 0xFA, 0xFA}}},
        {"mainmenu_commands", {0x35077B8C, 0x6E70, 0x47BA, {0xB9, 0xDD, 0xD5, 0x15, 0x00, 0xE1, 0x2F, 0x2E}}},
        {"mainmenu_group", {0x21656AB9, 0x0255, 0x4F8C, {0x8F, 0xB9, 0x1A, 0x77, 0x48, 0xBC, 0xE9, 0x3A}}},
        {"initquit", {0x113773C4, 0xB387, 0x4B48, {0x8B, 0xDF, 0xAB, 0x58, 0xBC, 0x6C, 0xE5, 0x38}}},
        {"componentversion", {0x10BB3EBD, 0xDDF7, 0x4975, {0xA3, 0xCC, 0x23, 0x08, 0x48, 0x29, 0x45, 0x3E}}},
        {"component_installation_validator",
         {0x0639283E, 0x3004, 0x4E5C, {0xB1, 0xB3, 0x6D, 0xFF, 0x08, 0xA7, 0x92, 0x84}}},
    };
    ASSERT_EQ(component.RegisteredClasses().size(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_TRUE(pfc::guid_equal(component.RegisteredClasses()[i], expected[i].classGuid))
            << "service " << i << ", " << expected[i].name;
}

TEST_F(ComponentTest, TellsItsNameVersionAndAboutText) {
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    service_ptr_t<componentversion> version = Lookup<componentversion>(host);
    ASSERT_TRUE(version.is_valid());
    for (int call = 1; call <= 2; ++call) {
        EXPECT_EQ(Text([&](pfc::string_base& s) { version->get_component_name(s); }), "Foobar2000 Trelvane")
            << "call " << call;
        EXPECT_EQ(Text([&](pfc::string_base& s) { version->get_component_version(s); }), "0.6.7.5") << "call " << call;
    }
    EXPECT_EQ(Text([&](pfc::string_base& s) { version->get_file_name(s); }), "foo_Trelvane.dll");
    std::string about = Text([&](pfc::string_base& s) { version->get_about_message(s); });
    EXPECT_EQ(about.rfind("Control the playback functions of Foobar2000 - the ultimate tray plugin.\n\n", 0), 0u)
        << about;
    EXPECT_EQ(about.find('\n', 75), std::string::npos) << "one line follows the blank line";
}

TEST_F(ComponentTest, InstallationCheckWantsTheExactFileNameInAnyFolder) {
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    service_ptr_t<component_installation_validator> validator = Lookup<component_installation_validator>(host);
    ASSERT_TRUE(validator.is_valid());
    EXPECT_TRUE(validator->is_installed_correctly());
    const std::pair<const char*, bool> paths[] = {
        {"C:\\Program Files\\foobar2000\\components\\foo_Trelvane.dll", true},
        {"C:/player/components/foo_Trelvane.dll", true},
        {"C:foo_Trelvane.dll", true},
        {"archive.zip|foo_Trelvane.dll", true},
        {"foo_Trelvane.dll", true},
        {"C:\\components\\foo_trelvane.dll", false},
        {"C:\\components\\FOO_TRELVANE.DLL", false},
        {"C:\\components\\foo_Trelvane.dll.bak", false},
        {"C:\\foo_Trelvane.dll\\other.dll", false},
        {"", false},
    };
    for (const auto& p : paths) {
        component.Client()->set_library_path(p.first, "x");
        EXPECT_EQ(validator->is_installed_correctly(), p.second) << p.first;
    }
    service_ptr_t<componentversion> version = Lookup<componentversion>(host);
    EXPECT_EQ(Text([&](pfc::string_base& s) { version->get_file_name(s); }), "x") << "the name the player passed last";
}

TEST_F(ComponentTest, StartsWithThePlayerAndRemovesOnlyItsIconsAtQuit) {
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    component.ServicesInit(true);
    component.Init();
    HWND window = MessageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), component.Module());
    EXPECT_EQ(host.Playback().CallbackCount(), 1u) << "the playback callback is registered after start-up";

    component.Quit();
    EXPECT_TRUE(IsWindow(window)) << "the window stays until the process ends";
    EXPECT_EQ(host.Playback().CallbackCount(), 1u) << "after quit";

    component.Unload();
    EXPECT_EQ(MessageWindow(), nullptr) << "after unload";
    EXPECT_EQ(host.Playback().CallbackCount(), 0u) << "after unload";
}

TEST_F(ComponentTest, ForwardedPlaybackReachesTheComponentAtRegistration) {
    host.Playback().SetPlaylist({{"C:\\Music\\a.flac", 100, {{"title", "A"}}}});
    host.Playback().Play();
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    component.ServicesInit(true);
    host.Playback().ResetCallCounts();
    component.Init();
    // The new-track callback formats the tooltip from the track the player reports at once.
    EXPECT_GT(host.Playback().CallCount("is_playing"), 0);
    fb2k_host::PumpMessagesFor(300);
    component.Quit();
}

// An exception must not cross into the player (built by another compiler it would end it):
// start-up reports the failure once through the player's popup and returns.
TEST_F(ComponentTest, AnSdkErrorDuringStartUpIsReportedAndStaysInsideTheComponent) {
    host.UnregisterServices(titleformat_compiler::class_guid);
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    component.ServicesInit(true);
    EXPECT_NO_THROW(component.Init()) << "first start-up";
    ASSERT_EQ(host.Popups().Shown().size(), 1u) << "first start-up";
    EXPECT_EQ(host.Popups().Shown()[0].title, "Trelvane");
    EXPECT_EQ(host.Popups().Shown()[0].message, "Service not found");
    EXPECT_EQ(host.Playback().CallbackCount(), 0u);
    EXPECT_EQ(MessageWindow(), nullptr);
    // The same failure again is not shown twice.
    EXPECT_NO_THROW(component.Init()) << "second start-up";
    EXPECT_EQ(host.Popups().Shown().size(), 1u) << "second start-up";
}

TEST_F(ComponentTest, AFileThatIsNoComponentIsRefused) {
    EXPECT_FALSE(component.Load(L"shared.dll"));
    EXPECT_NE(component.Error().find("foobar2000_get_interface"), std::string::npos);
    EXPECT_FALSE(component.Load(L"no-such-component.dll"));
}

// A runtime abort becomes a structured exception carrying the signal number; a vectored
// handler in the child sees it before anything else and ends the process with what it saw.
LONG CALLBACK ReportSignalException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode == 0x6F8E1DC8 && record->NumberParameters == 1 &&
        (record->ExceptionFlags & EXCEPTION_NONCONTINUABLE))
        TerminateProcess(GetCurrentProcess(),
                         1000 + static_cast<UINT>(record->ExceptionInformation[0])); // not a resource id: an exit code
    return EXCEPTION_CONTINUE_SEARCH;
}

CHILD_PROCESS_BODY(abort_after_load) {
    if (!LoadLibraryW(kComponent)) return 98;
    AddVectoredExceptionHandler(1, &ReportSignalException);
    std::abort();
}

TEST(ComponentSignals, AnAbortBecomesAStructuredExceptionWithTheSignalNumber) {
    ChildResult child = RunChild("abort_after_load");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 1000u + SIGABRT);
}

// The one-time notice depends on the Windows version, which Wine fixes per executable at
// process start: each case runs in a child process started after the version is set.
void SetWindowsVersionOfThisExecutable(const wchar_t* version) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring name(self);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
    WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, version,
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
}

void ClearWindowsVersionOfThisExecutable() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring name(self);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\Wine\\AppDefaults\\" + name).c_str());
}

// The strip finds its icons' order itself: the notice must not send the user to order them.
bool NoticeTellsTheTruthAboutTheOrder(const std::string& message) {
    return message.find("in correct order") == std::string::npos &&
           message.find("can't do that for you") == std::string::npos &&
           message.find("finds out by itself which of the two icons is on the left") != std::string::npos;
}

// Reports the number of notices at each of two starts: "first start: N, second start: N".
int CountNoticesOverTwoStarts() {
    Host host;
    host.Popups().SetShowMessageBoxes(false);
    std::vector<char> config;
    int counts[2] = {0, 0};
    for (int start = 0; start < 2; ++start) {
        LoadedComponent component(host);
        if (!component.Load(kComponent)) {
            ChildReport("the component did not load at start " + std::to_string(start + 1));
            return 99;
        }
        component.SetConfig(config);
        component.ServicesInit(true);
        host.Popups().Clear();
        component.Init();
        for (const fb2k_host::ShownPopup& p : host.Popups().Shown())
            if (p.title == "Foobar2000 Trelvane" &&
                p.message.rfind("THIS IMPORTANT MESSAGE WILL ONLY APPEAR ONCE\n", 0) == 0 &&
                p.icon == popup_message::icon_information && NoticeTellsTheTruthAboutTheOrder(p.message))
                ++counts[start];
        component.Quit();
        config = component.GetConfig();
        component.Unload();
    }
    ChildReport("first start: " + std::to_string(counts[0]) + ", second start: " + std::to_string(counts[1]));
    return 0;
}

CHILD_PROCESS_BODY(notice_count) { return CountNoticesOverTwoStarts(); }

TEST(WindowsSevenNotice, ShownOnceOnWindowsSevenAndNeverOnEarlierSystems) {
    const std::pair<const wchar_t*, const char*> cases[] = {{L"win7", "first start: 1, second start: 0\n"},
                                                           {L"vista", "first start: 0, second start: 0\n"},
                                                           {L"winxp64", "first start: 0, second start: 0\n"}};
    for (const auto& c : cases) {
        SetWindowsVersionOfThisExecutable(c.first);
        ChildResult child = RunChild("notice_count");
        ClearWindowsVersionOfThisExecutable();
        const std::string version(c.first, c.first + wcslen(c.first));
        ASSERT_TRUE(child.finished) << "Windows version " << version;
        EXPECT_EQ(child.report, c.second) << "Windows version " << version;
        EXPECT_EQ(child.exitCode, 0u) << "Windows version " << version;
    }
}

} // namespace
