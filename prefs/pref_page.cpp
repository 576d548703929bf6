#include "prefs/pref_page.h"
#include "prefs/pref_page_instance.h"

namespace {
const char* const kPageName = "Trelvane";
const char* const kHelpUrl = "https://trelvane.example.org/help/";
} // namespace

const char* TVFPrefPage::get_name() { return kPageName; }
GUID TVFPrefPage::get_guid() { return kGuid; }
GUID TVFPrefPage::get_parent_guid() { return kParentGuid; }

bool TVFPrefPage::get_help_url(pfc::string_base& out) {
    out.set_string(kHelpUrl);
    return true;
}

service_ptr_t<preferences_page_instance> TVFPrefPage::instantiate(HWND parent,
                                                                  service_ptr_t<preferences_page_callback> callback) {
    return fb2k_service_new<TVFPrefPageInst>(parent, callback);
}
