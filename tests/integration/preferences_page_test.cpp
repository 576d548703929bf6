// The stand-in player finds the preferences page of the real foo_Trelvane.dll among its
// services and opens it (the dialog, its labels and its icon come from the DLL's resources),
// and hosts it in its own Preferences window.
#include "host/component_loader.h"
#include "host/host_core.h"
#include "host/popup_log.h"
#include "host/preferences_window.h"
#include "resources/resource.h"
#include "sdk/preferences_page.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using fb2k_host::Host;
using fb2k_host::LoadedComponent;

class NoCallback : public preferences_page_callback {
public:
    void on_state_changed() override { ++calls; }
    int calls = 0;
};

std::wstring Text(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

// resource values typed: the dialog's control ids as the player's side of the page sees them.
TEST(PreferencesPageFromTheComponent, OpensInThePlayersWindowWithTheComponentsResources) {
    Host host;
    host.Popups().SetShowMessageBoxes(false);
    LoadedComponent component(host);
    ASSERT_TRUE(component.Load(L"foo_Trelvane.dll")) << component.Error();
    component.ServicesInit(true);

    service_ptr_t<service_base> found;
    ASSERT_TRUE(host.CreateService(found, preferences_page::class_guid, 0));
    service_ptr_t<preferences_page_v3> page;
    ASSERT_TRUE(found.cast(page)) << "a version 3 page";
    EXPECT_STREQ(page->get_name(), "Trelvane");
    const GUID pageGuid = {0xB7B0826C, 0x5F34, 0x46B7, {0xBE, 0xE6, 0x0B, 0x60, 0xCD, 0x59, 0x2A, 0xCE}};
    EXPECT_TRUE(pfc::guid_equal(page->page_guid(), pageGuid));
    const GUID toolsPage = {0x627C0767, 0x0793, 0x44F8, {0x80, 0x87, 0xBE, 0x49, 0x34, 0x31, 0x12, 0x82}};
    EXPECT_TRUE(pfc::guid_equal(page->parent_guid(), toolsPage)) << "shown under the player's Tools page";

    UniqueWindow parentWindow(CreateWindowExW(0, L"Static", L"Preferences", WS_OVERLAPPEDWINDOW, 0, 0, 700, 700,
                                              nullptr, nullptr, nullptr, nullptr));
    HWND parent = parentWindow.get();
    service_ptr_t<preferences_page_callback> callback = fb2k_service_new<NoCallback>();
    {
        service_ptr_t<preferences_page_instance> instance = page->make_instance(parent, callback);
        ASSERT_TRUE(instance.is_valid());
        HWND dialog = instance->get_wnd();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetParent(dialog), parent);
        EXPECT_EQ(Text(dialog, 30034), L"Song title &balloon - Hide after");
        EXPECT_EQ(Text(dialog, 1022), L"[Built-In]");
        HWND icon = GetWindow(GetDlgItem(dialog, 1022), GW_HWNDPREV);
        EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0) << "the component's icon is shown";
        EXPECT_EQ(instance->get_state(), preferences_page_instance::resettable);
        EXPECT_GE(static_cast<NoCallback*>(callback.get_ptr())->calls, 1);
    }
}

} // namespace

namespace {

// The stand-in player's Preferences window hosts the page: Apply follows the page's state,
// and OK stores what the page shows.
TEST(PreferencesWindowOfThePlayer, HostsThePageAndAppliesIt) {
    using namespace fb2k_host::PreferencesWindow;
    Host host;
    host.Popups().SetShowMessageBoxes(false);
    LoadedComponent component(host);
    ASSERT_TRUE(component.Load(L"foo_Trelvane.dll")) << component.Error();
    component.ServicesInit(true);
    component.Init();

    HWND window = fb2k_host::ShowPreferences(host);
    ASSERT_NE(window, nullptr);
    wchar_t name[64] = {};
    SendDlgItemMessageW(window, kPageList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, L"Trelvane");
    HWND page = FindWindowExW(window, nullptr, MAKEINTATOM(32770), nullptr);
    ASSERT_NE(page, nullptr) << "the page's dialog sits in the window";
    EXPECT_TRUE(IsWindowVisible(page));
    fb2k_host::PumpMessagesFor(50);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kApply)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kReset)));

    SendDlgItemMessageW(page, IDC_PAUSE_ON_SCREEN_SAVER, BM_CLICK, 0, 0);
    EXPECT_TRUE(
        fb2k_host::PumpMessagesUntil([&] { return IsWindowEnabled(GetDlgItem(window, kApply)) != FALSE; }, 2000));
    SendDlgItemMessageW(window, kOk, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << "OK closes the window";

    UniqueWindow reopened(fb2k_host::ShowPreferences(host));
    window = reopened.get();
    page = FindWindowExW(window, nullptr, MAKEINTATOM(32770), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_PAUSE_ON_SCREEN_SAVER), BST_CHECKED) << "the change was stored";
    SendDlgItemMessageW(page, IDC_PAUSE_ON_SCREEN_SAVER, BM_CLICK, 0, 0);
    SendDlgItemMessageW(window, kApply, BM_CLICK, 0, 0);
    reopened.reset();
    component.Quit();
}

} // namespace
