#pragma once
// The stand-in player's main menu: its own standard commands (play, pause, stop, ...), the
// resolver that finds any command by GUID, and a log of the commands executed.
#include "sdk/menu.h"
#include <functional>
#include <string>
#include <vector>

namespace fb2k_host {

class Host;

class CommandLog {
public:
    void Record(const std::string& name) {
        m_executed.push_back(name);
        if (m_observer) m_observer(name);
    }
    // Called with each command's name as it runs, before its effect (tests use it to act as
    // the player would, such as releasing a file when playback stops).
    void Observe(std::function<void(const std::string&)> observer) { m_observer = std::move(observer); }
    const std::vector<std::string>& Executed() const { return m_executed; }
    void Clear() { m_executed.clear(); }
    // Commands whose GUIDs the player pretends not to know.
    void Unpublish(const GUID& command) { m_unpublished.push_back(command); }
    bool IsPublished(const GUID& command) const;

private:
    std::vector<std::string> m_executed;
    std::vector<GUID> m_unpublished;
    std::function<void(const std::string&)> m_observer;
};

// Registers the standard commands and the resolver with the host.
void RegisterMainMenuServices(Host& host);

} // namespace fb2k_host
