#include "host/call_stack.h"

#include "sdk/shared/shared.h"

namespace fb2k_host {

std::vector<std::string> OpenScopes() {
    std::vector<std::string> scopes;
    std::string path = uGetCallStackPath();
    if (path.empty()) return scopes;
    size_t start = 0;
    for (size_t at = path.find("=>"); at != std::string::npos; at = path.find("=>", start)) {
        scopes.push_back(path.substr(start, at - start));
        start = at + 2;
    }
    scopes.push_back(path.substr(start));
    return scopes;
}

std::string InnermostScope() {
    std::vector<std::string> scopes = OpenScopes();
    return scopes.empty() ? std::string() : scopes.back();
}

} // namespace fb2k_host
