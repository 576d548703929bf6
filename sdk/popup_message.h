#pragma once
#include "service.h"

class popup_message : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(popup_message, 0xD5CAC75A, 0x3023, 0x4DCE, 0x8B, 0x0D, 0xB5, 0x02, 0xBD, 0x05, 0x6A,
                                 0x7C)
public:
    enum t_icon { icon_information, icon_error, icon_query };
    // Lengths may be pfc_infinite: up to the terminating NUL.
    virtual void show_ex(const char* message, t_size message_length, const char* title, t_size title_length,
                         t_icon icon = icon_information) = 0; // 3

    static void g_show(const char* message, const char* title, t_icon icon = icon_information);
};
