#include "host/config_store.h"

#include "host/component_loader.h"
#include "host/config_file.h"
#include "host/popup_log.h"
#include "host/text.h"
#include <shlobj.h>
#include <algorithm>
#include <string>

namespace fb2k_host {

namespace {

// A file larger than this is no configuration.
constexpr LONGLONG kMaxConfigFileSize = 256LL * 1024 * 1024;
constexpr int kMaxSetAsideNames = 1000;
constexpr DWORD kWriteChunk = 1u << 20;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (m_handle == INVALID_HANDLE_VALUE) return true;
        bool closed = CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The whole file; false with `error` set when it cannot be read or is too large to be ours
// (then `error` is 0: the file is there but not a configuration).
bool ReadWholeFile(const std::wstring& path, std::vector<char>& bytes, DWORD& error) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = GetLastError();
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) {
        error = GetLastError();
        return false;
    }
    error = 0;
    if (size.QuadPart > kMaxConfigFileSize) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
                           done != bytes.size())) {
        error = GetLastError() ? GetLastError() : ERROR_HANDLE_EOF;
        return false;
    }
    return true;
}

// Renames the damaged file to the first free "<path>.corrupt", "<path>.corrupt-2", ...
// Earlier set-aside files are kept too.
bool SetAside(const std::wstring& path, std::wstring& target, DWORD& error) {
    for (int n = 1; n <= kMaxSetAsideNames; ++n) {
        target = path + L".corrupt" + (n == 1 ? std::wstring() : L"-" + std::to_wstring(n));
        if (MoveFileExW(path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    target.clear();
    return false;
}

bool WriteAll(HANDLE file, const std::vector<char>& bytes) {
    size_t offset = 0;
    while (offset < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + offset, piece, &written, nullptr) || written != piece) return false;
        offset += piece;
    }
    return true;
}

bool WriteNewFile(const std::wstring& path, const std::vector<char>& bytes) {
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) return false;
    return file.Close();
}

std::string Narrow(const std::wstring& text) { return WideToUtf8(text); }

} // namespace

ConfigStore::ConfigStore(std::wstring folder) : m_folder(std::move(folder)) {
    if (!m_folder.empty() && m_folder.back() != L'\\' && m_folder.back() != L'/') m_folder += L'\\';
}

std::wstring ConfigStore::PathFor(const std::wstring& componentFile) const {
    return m_folder + componentFile + L".cfg";
}

ConfigStore::ReadResult ConfigStore::Read(const std::wstring& componentFile) const {
    ReadResult result;
    std::wstring path = PathFor(componentFile);
    std::vector<char> file;
    if (!ReadWholeFile(path, file, result.error)) {
        if (IsMissing(result.error)) {
            result.outcome = ReadOutcome::Missing;
            return result;
        }
        if (result.error != 0) {
            result.outcome = ReadOutcome::Unreadable;
            return result;
        }
        // Too large to be a configuration: damaged, as below.
    } else if (DecodeConfigFile(file, result.bytes)) {
        result.outcome = ReadOutcome::Read;
        return result;
    }
    result.bytes.clear();
    result.outcome =
        SetAside(path, result.setAsidePath, result.error) ? ReadOutcome::SetAside : ReadOutcome::Unreadable;
    return result;
}

bool ConfigStore::Write(const std::wstring& componentFile, const std::vector<char>& bytes, DWORD* error) const {
    int created = SHCreateDirectoryExW(nullptr, m_folder.c_str(), nullptr);
    bool folderReady = created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS || created == ERROR_FILE_EXISTS;
    std::wstring path = PathFor(componentFile);
    std::wstring fresh = path + L".new";
    bool written = folderReady && WriteNewFile(fresh, EncodeConfigFile(bytes)) &&
                   MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    DWORD failure = written ? 0 : (folderReady ? GetLastError() : static_cast<DWORD>(created));
    if (!written) DeleteFileW(fresh.c_str());
    if (error) *error = failure;
    return written;
}

ComponentConfiguration::ComponentConfiguration(const ConfigStore& store, std::wstring componentFile, PopupLog& popups)
    : m_store(store), m_componentFile(std::move(componentFile)), m_popups(popups) {}

ConfigStore::ReadOutcome ComponentConfiguration::Restore(LoadedComponent& component) {
    ConfigStore::ReadResult result = m_store.Read(m_componentFile);
    std::string name = Narrow(m_componentFile);
    switch (result.outcome) {
    case ConfigStore::ReadOutcome::Read: component.SetConfig(result.bytes); break;
    case ConfigStore::ReadOutcome::Missing: break;
    case ConfigStore::ReadOutcome::SetAside:
        m_popups.Show("The configuration of " + name + " was damaged. It has been set aside as " +
                          Narrow(result.setAsidePath) + " and the component starts with its default settings.",
                      "Configuration", popup_message::icon_error);
        break;
    case ConfigStore::ReadOutcome::Unreadable:
        // Whatever the file holds, it may still be good: saving over it would lose it.
        m_mayOverwrite = false;
        m_popups.Show("The configuration of " + name + " could not be read (error " + std::to_string(result.error) +
                          "). The component starts with its default settings; its configuration file is left as it "
                          "is and will not be saved this time.",
                      "Configuration", popup_message::icon_error);
        break;
    }
    return result.outcome;
}

bool ComponentConfiguration::Save(LoadedComponent& component) {
    if (!m_mayOverwrite || !component.IsLoaded()) return false;
    DWORD error = 0;
    if (m_store.Write(m_componentFile, component.GetConfig(), &error)) return true;
    m_popups.Show("The configuration of " + Narrow(m_componentFile) + " could not be saved (error " +
                      std::to_string(error) + "). The configuration saved before is kept.",
                  "Configuration", popup_message::icon_error);
    return false;
}

std::wstring ComponentFileName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace fb2k_host
