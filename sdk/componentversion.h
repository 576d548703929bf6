#pragma once
#include "service.h"

class componentversion : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(componentversion, 0x10BB3EBD, 0xDDF7, 0x4975, 0xA3, 0xCC, 0x23, 0x08, 0x48, 0x29, 0x45,
                                 0x3E)
public:
    virtual void get_file_name(pfc::string_base& out) = 0;
    virtual void get_component_name(pfc::string_base& out) = 0;
    virtual void get_component_version(pfc::string_base& out) = 0;
    virtual void get_about_message(pfc::string_base& out) = 0;
};

class component_installation_validator : public service_base {
    FB2K_MAKE_SERVICE_ENTRYPOINT(component_installation_validator, 0x0639283E, 0x3004, 0x4E5C, 0xB1, 0xB3, 0x6D, 0xFF,
                                 0x08, 0xA7, 0x92, 0x84)
public:
    virtual bool is_installed_correctly() = 0;
};
