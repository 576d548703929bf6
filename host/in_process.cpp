// For tests that link the component's code into the same executable as the host.
#include "host/host_core.h"

extern HINSTANCE g_hInstance;

namespace fb2k_host {

void Host::InstallInProcess(HINSTANCE componentModule) {
    g_foobar2000_api = this;
    g_hInstance = componentModule;
}

} // namespace fb2k_host
