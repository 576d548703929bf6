#pragma once
// Reading the calling thread's call-stack path (shared.dll joins open scopes with "=>").
#include <string>
#include <vector>

namespace fb2k_host {

// Open scopes, outermost first.
std::vector<std::string> OpenScopes();
// The innermost open scope; empty when none is open.
std::string InnermostScope();

} // namespace fb2k_host
