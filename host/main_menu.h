#pragma once
// The stand-in player's main menu: its own standard commands (play, pause, stop, ...), the
// resolver that finds any command by GUID, and a log of the commands executed.
#include "sdk/menu.h"
#include <string>
#include <vector>

namespace fb2k_host {

class Host;

class CommandLog {
public:
    void Record(const std::string& name) { m_executed.push_back(name); }
    const std::vector<std::string>& Executed() const { return m_executed; }
    void Clear() { m_executed.clear(); }
    // Commands whose GUIDs the player pretends not to know.
    void Unpublish(const GUID& command) { m_unpublished.push_back(command); }
    bool IsPublished(const GUID& command) const;
private:
    std::vector<std::string> m_executed;
    std::vector<GUID> m_unpublished;
};

// Registers the standard commands and the resolver with the host.
void RegisterMainMenuServices(Host& host);

} // namespace fb2k_host
