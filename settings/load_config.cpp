// Start-up import of the settings that older versions kept in the registry, and the
// normalisation of the balloon format that runs at every start.
#include "settings/config_vars.h"
#include "settings/registry_key.h"
#include "settings/registry_settings.h"

#include "base/text_convert.h"
#include "sdk/shared/shared.h"
#include <string>
#include <vector>

namespace {

bool ImportKeyExists() {
    uCallStackTracker tracker("KeyExists");
    return static_cast<bool>(OpenRegistryKey(HKEY_CURRENT_USER, kImportKeyPath));
}

// Every setting the key can hold is assigned, a missing value giving its import default.
void ImportRegistryEntries() {
    uCallStackTracker tracker("Load registry entries");
    cfg::VolumeSlider = GetKeyInt(L"VolumeSlider", 0) != 0;
    cfg::ShowBalloon = GetKeyInt(L"ShowBalloon", 1) != 0;
    cfg::AutoVolumeOnStream = GetKeyInt(L"AutoVolumeOnStream", 1) != 0;
    cfg::ShowBalloonOnStream = GetKeyInt(L"ShowBalloonOnStream", 1) != 0;
    cfg::PauseOnScreenSaver = GetKeyInt(L"PauseOnScreenSaver", 0) != 0;
    cfg::BalloonTitle = WideToString8(GetKeyStr(L"BalloonTitle", String8ToWide(cfg::kDefaultBalloonTitle))).c_str();
    cfg::BalloonFormat = WideToString8(GetKeyStr(L"BalloonFormat", DEFBALLOONFORMAT())).c_str();
    cfg::SkinName = WideToString8(GetKeyStr(L"SkinName", std::wstring())).c_str();
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256]; // the longest key name the registry allows, and its NUL
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// RegDeleteKeyW refuses a key with subkeys; such a key would be imported again at every
// start, each time undoing what was set since. Nothing below it is the player's to keep.
void DeleteKeyTree(HKEY root, const wchar_t* path) {
    {
        UniqueRegistryKey key = OpenRegistryKey(root, path, KEY_ENUMERATE_SUB_KEYS);
        if (key)
            for (const std::wstring& child : SubkeyNames(key.get())) DeleteKeyTree(key.get(), child.c_str());
    }
    RegDeleteKeyW(root, path);
}

// "\n" typed as two characters (in the preferences or in the old registry value) stands for
// a line break. A replacement never forms a new "\n", so one pass finds them all.
std::string ExpandLineBreakEscapes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

void LoadConfig() {
    uCallStackTracker tracker("Trelvane::LoadConfig()");
    if (ImportKeyExists()) {
        ImportRegistryEntries();
        DeleteKeyTree(HKEY_CURRENT_USER, kImportKeyPath);
    }
    cfg::BalloonFormat = ExpandLineBreakEscapes(cfg::BalloonFormat.get_ptr()).c_str();
}
