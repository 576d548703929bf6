#pragma once
// Where the stand-in player keeps the configuration of its components: one file per
// component in one folder, replaced whole or not at all, and set aside (never deleted)
// when it turns out to be damaged.
#include <windows.h>
#include <string>
#include <vector>

namespace fb2k_host {

class LoadedComponent;
class PopupLog;

class ConfigStore {
public:
    explicit ConfigStore(std::wstring folder);

    const std::wstring& Folder() const { return m_folder; }
    // "<folder>\<component file name>.cfg"
    std::wstring PathFor(const std::wstring& componentFile) const;

    enum class ReadOutcome {
        Missing,   // no file yet: a first start
        Read,      // intact; `bytes` holds the configuration
        SetAside,  // damaged; renamed to `setAsidePath` and kept there
        Unreadable // there but not readable (locked, I/O error), or damaged and cannot be renamed
    };
    struct ReadResult {
        ReadOutcome outcome = ReadOutcome::Missing;
        std::vector<char> bytes;
        std::wstring setAsidePath;
        DWORD error = 0;
    };
    ReadResult Read(const std::wstring& componentFile) const;

    // Writes a new file beside the old one, flushes it and only then puts it in the old one's
    // place, so a crash or a full disk leaves either the old or the new file, never a part.
    // False (and the old file untouched) when that fails; `error` says why.
    bool Write(const std::wstring& componentFile, const std::vector<char>& bytes, DWORD* error = nullptr) const;

private:
    std::wstring m_folder;
};

// The player's side for one component: restore its configuration before start-up and save
// it after shut-down, telling the user through the popups when either goes wrong.
class ComponentConfiguration {
public:
    ComponentConfiguration(const ConfigStore& store, std::wstring componentFile, PopupLog& popups);

    // Before services_init and the start-up hooks. A damaged file costs only its own values:
    // the component starts from its defaults.
    ConfigStore::ReadOutcome Restore(LoadedComponent& component);
    // After the shut-down hooks. A file that could not be read is not overwritten.
    bool Save(LoadedComponent& component);

private:
    const ConfigStore& m_store;
    std::wstring m_componentFile;
    PopupLog& m_popups;
    bool m_mayOverwrite = true;
};

// The file name part of a path, which names the component's configuration file.
std::wstring ComponentFileName(const std::wstring& path);

} // namespace fb2k_host
