// The client object the player talks to: version, library path, and the two service flags.
#include "component/client.h"
#include "sdk/client.h"
#include "sdk/core_api.h"

#include <gtest/gtest.h>

extern "C" foobar2000_client* foobar2000_get_interface(foobar2000_api* api, HINSTANCE instance);

namespace {

TEST(Client, EntryPointStoresItsArgumentsAndAlwaysHandsOutTheSameClient) {
    auto* api = reinterpret_cast<foobar2000_api*>(0x1234);
    HINSTANCE module = GetModuleHandleW(nullptr);
    foobar2000_client* first = foobar2000_get_interface(api, module);
    foobar2000_client* second = foobar2000_get_interface(api, module);
    EXPECT_EQ(first, second);
    EXPECT_EQ(g_foobar2000_api, api);
    EXPECT_EQ(core_api::get_my_instance(), module);
    // The API level both players accept (x86 takes 72..81, x64 80 and up).
    EXPECT_EQ(first->get_version(), 80u);
    EXPECT_FALSE(first->is_debug());
    g_foobar2000_api = nullptr;
}

TEST(Client, ServicesAvailableStaysSetOnceInitialisedFollowsEachCall) {
    foobar2000_client* client = foobar2000_get_interface(nullptr, GetModuleHandleW(nullptr));
    EXPECT_FALSE(client_state::ServicesAvailable()) << "before any call";
    client->services_init(false);
    EXPECT_FALSE(client_state::ServicesAvailable()) << "after false";
    EXPECT_FALSE(client_state::Initialized()) << "after false";
    client->services_init(true);
    EXPECT_TRUE(client_state::ServicesAvailable()) << "after true";
    EXPECT_TRUE(client_state::Initialized()) << "after true";
    client->services_init(false);
    EXPECT_TRUE(client_state::ServicesAvailable()) << "after true, then false";
    EXPECT_FALSE(client_state::Initialized()) << "after true, then false";
}

TEST(Client, LibraryNameIsEmptyUntilThePlayerSetsItAndThenTheLastOneGiven) {
    foobar2000_client* client = foobar2000_get_interface(nullptr, GetModuleHandleW(nullptr));
    EXPECT_STREQ(client_state::LibraryName(), "") << "before the player sets it";
    client->set_library_path("C:\\a\\foo_Trelvane.dll", "foo_Trelvane.dll");
    client->set_library_path("C:\\b\\other.dll", "other.dll");
    EXPECT_STREQ(client_state::LibraryPath(), "C:\\b\\other.dll");
    EXPECT_STREQ(client_state::LibraryName(), "other.dll");
    client->set_library_path(nullptr, nullptr);
    EXPECT_STREQ(client_state::LibraryName(), "") << "after null";
}

} // namespace
