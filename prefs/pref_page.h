#pragma once
// The component's page in the player's preferences: its name, place in the tree and help
// address, and a new page instance each time the user opens it.
#include "sdk/preferences_page.h"

class TVFPrefPage : public preferences_page_v3 {
public:
    static constexpr GUID kGuid = {0xB7B0826C, 0x5F34, 0x46B7, {0xBE, 0xE6, 0x0B, 0x60, 0xCD, 0x59, 0x2A, 0xCE}};
    // The player's page under which this one is listed.
    static constexpr GUID kParentGuid = {0x627C0767, 0x0793, 0x44F8, {0x80, 0x87, 0xBE, 0x49, 0x34, 0x31, 0x12, 0x82}};

    HWND create(HWND parent) override;
    const char* get_name() override;
    GUID* get_guid(GUID* out) override;
    GUID* get_parent_guid(GUID* out) override;
    bool reset_query() override;
    void reset() override;
    bool get_help_url(pfc::string_base& out) override;
    double get_sort_priority() override;
    service_ptr_t<preferences_page_instance>*
    instantiate(service_ptr_t<preferences_page_instance>* out, HWND parent,
                service_by_value<preferences_page_callback> callback) override;
};
