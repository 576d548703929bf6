#include "prefs/pref_page.h"
#include "prefs/pref_page_instance.h"
#include "sdk/boundary.h"

namespace {
const char* const kPageName = "Trelvane";
const char* const kHelpUrl = "https://trelvane.example.org/help/";
} // namespace

// The page lives in instances; the player's old way of asking for a window gets none.
HWND TVFPrefPage::create(HWND) { return nullptr; }
const char* TVFPrefPage::get_name() { return kPageName; }
GUID* TVFPrefPage::get_guid(GUID* out) { return construct_result(out, kGuid); }
GUID* TVFPrefPage::get_parent_guid(GUID* out) { return construct_result(out, kParentGuid); }
// Reset is offered by the instance (its state bits), not by the page.
bool TVFPrefPage::reset_query() { return false; }
void TVFPrefPage::reset() {}
double TVFPrefPage::get_sort_priority() { return 0; }

bool TVFPrefPage::get_help_url(pfc::string_base& out) {
    return fb2k::guarded(false, [&] {
        out.set_string(kHelpUrl);
        return true;
    });
}

service_ptr_t<preferences_page_instance>*
TVFPrefPage::instantiate(service_ptr_t<preferences_page_instance>* out, HWND parent,
                         service_by_value<preferences_page_callback> argument) {
    service_ptr_t<preferences_page_callback> callback = adopt(argument);
    service_ptr_t<preferences_page_instance> instance;
    fb2k::guarded([&] { instance = fb2k_service_new<TVFPrefPageInst>(parent, callback); });
    // A page that could not be made is an empty reference: the player shows no page.
    return construct_result(out, instance);
}
