#pragma once
#include "service.h"

class popup_message : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(popup_message, 0x48268748, 0xFE91, 0x46EA, 0x8F, 0xB2, 0x95, 0x1C, 0xAD, 0x61, 0x7A, 0xC4)
public:
    enum t_icon { icon_information, icon_error, icon_query };
    virtual void show(const char* message, t_size message_length, const char* title, t_size title_length,
                      t_icon icon = icon_information) = 0;

    static void g_show(const char* message, const char* title, t_icon icon = icon_information);
};
