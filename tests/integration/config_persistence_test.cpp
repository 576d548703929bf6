// Settings survive a restart of the stand-in player: the real foo_Trelvane.dll is loaded,
// started, stopped and saved, then loaded again from the saved configuration file. A damaged
// file costs its own values and nothing else.
#include "host/component_loader.h"
#include "base/system_handles.h"
#include "host/config_file.h"
#include "host/config_store.h"
#include "host/host_core.h"
#include "host/popup_log.h"
#include "tests/support/registry_write.h"
#include "settings/registry_key.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using fb2k_host::ComponentConfiguration;
using fb2k_host::ConfigStore;
using fb2k_host::Host;
using fb2k_host::LoadedComponent;
using Outcome = fb2k_host::ConfigStore::ReadOutcome;

const wchar_t* const kComponent = L"foo_Trelvane.dll";
const wchar_t* const kImportKey = L"Software\\Morvalen\\Foobar2000 Trelvane";

// The component's settings by the GUIDs the player stores them under.
const GUID kVolumeSlider = {0x430BE47B, 0xE9B9, 0x4DA2, {0xBF, 0x2A, 0x8B, 0xC0, 0x10, 0xA7, 0x13, 0xD5}};
const GUID kShowBalloon = {0xA927F62E, 0xAE83, 0x4FCF, {0xA9, 0xC5, 0x74, 0xE0, 0x38, 0xF3, 0xFB, 0x8B}};
const GUID kShowBalloonOnStream = {0x39C4A6AE, 0xA531, 0x4CFD, {0x94, 0xA5, 0x88, 0x48, 0xBA, 0xC5, 0x36, 0xF6}};
const GUID kAutoVolumeOnStream = {0x813CBFA4, 0x458F, 0x41EE, {0xB6, 0x4E, 0x75, 0xBD, 0x40, 0x00, 0xF8, 0x9D}};
const GUID kPauseOnScreenSaver = {0x89FCD01A, 0xDEB7, 0x4388, {0x88, 0xAF, 0x2F, 0x6A, 0x8C, 0x71, 0x9F, 0x74}};
const GUID kBalloonHideAfter = {0x1923AA29, 0xC556, 0x4B21, {0xA3, 0x4D, 0x34, 0x61, 0xAA, 0x59, 0x7D, 0xAD}};
const GUID kLanguage = {0x0B1F1B76, 0xCB01, 0x45B6, {0x82, 0x60, 0xD6, 0xEE, 0x48, 0x10, 0x57, 0xAE}};
const GUID kWindows7NoticeShown = {0xF70EE8E3, 0x4E77, 0x4DF6, {0x9E, 0x43, 0xBC, 0x1E, 0x1D, 0x44, 0xD1, 0xEA}};
const GUID kBalloonTitle = {0xE5B98317, 0xE109, 0x4B12, {0xBA, 0x40, 0x8C, 0xC4, 0x37, 0xD7, 0xEF, 0xB6}};
const GUID kBalloonFormat = {0x4EA6F3DD, 0x783F, 0x4583, {0xBF, 0xC1, 0x71, 0xC7, 0xF6, 0x30, 0x77, 0xAE}};
const GUID kShowCard = {0x5A3F02F6, 0x7D76, 0x487E, {0xB5, 0xEB, 0xAF, 0x0E, 0x5F, 0xA1, 0x65, 0x1B}};
const GUID kSkinName = {0x1B14FBA7, 0x1F09, 0x47A9, {0xB5, 0xBC, 0xCB, 0x86, 0xDB, 0x0D, 0x16, 0x46}};

const char* const kEnglishDefaultFormat =
    "[Artist: %artist%\r\n][Album: %album%\r\n][File: %_filename_ext%\r\n][Length: %_length%\r\n]"
    "[%__bitrate%kbps ][%__bitrate_dynamic%kbps ][%__samplerate%Hz]\r\n";

std::string Key(const GUID& guid) { return std::string(reinterpret_cast<const char*>(&guid), sizeof(guid)); }

// The configuration stream read the way the player lays it out: GUID, 32-bit size, bytes.
class Settings {
public:
    explicit Settings(const std::vector<char>& stream) {
        size_t offset = 0;
        while (offset + 20 <= stream.size()) {
            std::string guid(&stream[offset], 16);
            t_uint32 size;
            std::memcpy(&size, &stream[offset + 16], 4);
            offset += 20;
            m_order.push_back(guid);
            m_values[guid] = std::string(&stream[offset], std::min<size_t>(size, stream.size() - offset));
            m_ends[guid] = offset + size;
            offset += size;
        }
    }
    bool Has(const GUID& guid) const { return m_values.count(Key(guid)) != 0; }
    std::string Text(const GUID& guid) const { return Has(guid) ? m_values.at(Key(guid)) : "<absent>"; }
    int Int(const GUID& guid) const {
        std::string bytes = Text(guid);
        int value = 0;
        if (bytes.size() == 4) std::memcpy(&value, bytes.data(), 4);
        return bytes.size() == 4 ? value : -999;
    }
    int Bool(const GUID& guid) const {
        std::string bytes = Text(guid);
        return bytes.size() == 1 ? bytes[0] : -999;
    }
    size_t Count() const { return m_values.size(); }
    const std::vector<std::string>& Order() const { return m_order; }
    size_t End(const std::string& guid) const { return m_ends.at(guid); }
    const std::string& Raw(const std::string& guid) const { return m_values.at(guid); }

private:
    std::map<std::string, std::string> m_values;
    std::map<std::string, size_t> m_ends;
    std::vector<std::string> m_order;
};

void SetImportValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, kImportKey, name, type, data, size)) << "import value";
}
void SetImportText(const wchar_t* name, const std::wstring& text) {
    SetImportValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
void SetImportNumber(const wchar_t* name, DWORD value) { SetImportValue(name, REG_DWORD, &value, sizeof(value)); }
bool ImportKeyExists() {
    return static_cast<bool>(OpenRegistryKey(HKEY_CURRENT_USER, kImportKey));
}

bool Mentions(const std::vector<fb2k_host::ShownPopup>& popups, const std::string& text) {
    for (const fb2k_host::ShownPopup& popup : popups)
        if (popup.message.find(text) != std::string::npos) return true;
    return false;
}

class ConfigPersistence : public testing::Test {
protected:
    ConfigPersistence() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"trelvane-persistence-" + std::to_wstring(GetCurrentProcessId());
        store.reset(new ConfigStore(folder));
        RegDeleteKeyW(HKEY_CURRENT_USER, kImportKey);
    }
    ~ConfigPersistence() override {
        RegDeleteKeyW(HKEY_CURRENT_USER, kImportKey);
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
            while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    struct Run {
        Outcome restored = Outcome::Missing;
        std::vector<char> settings; // as the component reports them after start-up
        std::vector<fb2k_host::ShownPopup> popups;
        bool saved = false;
    };

    // One life of the player: load, restore, start, quit, save, unload.
    Run RunPlayer(const std::function<void(LoadedComponent&)>& whileRunning = nullptr) {
        Run run;
        Host host;
        host.Popups().SetShowMessageBoxes(false);
        LoadedComponent component(host);
        EXPECT_TRUE(component.Load(kComponent)) << component.Error();
        ComponentConfiguration configuration(*store, kComponent, host.Popups());
        run.restored = configuration.Restore(component);
        component.ServicesInit(true);
        component.Init();
        if (whileRunning) whileRunning(component);
        run.settings = component.GetConfig();
        component.Quit();
        run.saved = configuration.Save(component);
        component.Unload();
        run.popups = host.Popups().Shown();
        return run;
    }

    std::wstring folder;
    std::unique_ptr<ConfigStore> store;
};

TEST_F(ConfigPersistence, AFreshComponentOffersEverySettingWithItsDefault) {
    Host host;
    LoadedComponent component(host);
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    Settings settings(component.GetConfig());
    EXPECT_EQ(settings.Count(), 12u);
    EXPECT_EQ(settings.Bool(kShowCard), 1);
    EXPECT_EQ(settings.Bool(kVolumeSlider), 0);
    EXPECT_EQ(settings.Bool(kShowBalloon), 1);
    EXPECT_EQ(settings.Bool(kShowBalloonOnStream), 1);
    EXPECT_EQ(settings.Bool(kAutoVolumeOnStream), 1);
    EXPECT_EQ(settings.Bool(kPauseOnScreenSaver), 0);
    EXPECT_EQ(settings.Int(kBalloonHideAfter), 4);
    EXPECT_EQ(settings.Int(kLanguage), 0);
    EXPECT_EQ(settings.Bool(kWindows7NoticeShown), 0);
    EXPECT_EQ(settings.Text(kBalloonTitle), "$if(%title%,[%tracknumber% - ]%title%,%_filename%)");
    EXPECT_EQ(settings.Text(kBalloonFormat), "*DEFAULT*");
    EXPECT_EQ(settings.Text(kSkinName), "");
}

TEST_F(ConfigPersistence, SettingsSurviveARestart) {
    SetImportNumber(L"VolumeSlider", 1);
    SetImportNumber(L"PauseOnScreenSaver", 1);
    SetImportNumber(L"ShowBalloon", 0);
    SetImportText(L"BalloonTitle", L"%title% ♪");
    SetImportText(L"BalloonFormat", L"%artist%\\n%album%");
    SetImportText(L"SkinName", L"Blue");

    Run first = RunPlayer();
    EXPECT_EQ(first.restored, Outcome::Missing);
    EXPECT_TRUE(first.saved);
    EXPECT_FALSE(ImportKeyExists()) << "imported once";
    Settings imported(first.settings);
    EXPECT_EQ(imported.Bool(kVolumeSlider), 1);
    EXPECT_EQ(imported.Text(kBalloonFormat), "%artist%\r\n%album%");

    Run second = RunPlayer();
    EXPECT_EQ(second.restored, Outcome::Read);
    Settings restored(second.settings);
    EXPECT_EQ(restored.Bool(kVolumeSlider), 1);
    EXPECT_EQ(restored.Bool(kPauseOnScreenSaver), 1);
    EXPECT_EQ(restored.Bool(kShowBalloon), 0);
    EXPECT_EQ(restored.Text(kBalloonTitle), u8"%title% ♪");
    EXPECT_EQ(restored.Text(kBalloonFormat), "%artist%\r\n%album%");
    EXPECT_EQ(restored.Text(kSkinName), "Blue");
    EXPECT_EQ(restored.Bool(kWindows7NoticeShown), imported.Bool(kWindows7NoticeShown));
    if (imported.Bool(kWindows7NoticeShown) == 1) {
        EXPECT_EQ(second.popups.size(), first.popups.size() - 1) << "the one-time notice is not shown again";
    }
    EXPECT_EQ(second.settings, first.settings);
}

TEST_F(ConfigPersistence, ADamagedFileCostsOnlyItsOwnValues) {
    SetImportNumber(L"VolumeSlider", 1);
    SetImportText(L"SkinName", L"Blue");
    ASSERT_TRUE(RunPlayer().saved);
    const std::vector<char> other = {'o', 't', 'h', 'e', 'r'};
    ASSERT_TRUE(store->Write(L"foo_other.dll", other));

    // One byte of the settings changes on disk.
    const std::wstring path = store->PathFor(kComponent);
    {
        UniqueKernelHandle file =
            OwnFile(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        SetFilePointer(file.get(), static_cast<LONG>(fb2k_host::kConfigFileHeaderSize) + 30, nullptr, FILE_BEGIN);
        char flipped = 0x5A;
        DWORD done = 0;
        WriteFile(file.get(), &flipped, 1, &done, nullptr);
    }

    Run damaged = RunPlayer();
    EXPECT_EQ(damaged.restored, Outcome::SetAside);
    EXPECT_TRUE(Mentions(damaged.popups, "foo_Trelvane.dll.cfg.corrupt")) << "the player says where the file went";
    EXPECT_NE(GetFileAttributesW((path + L".corrupt").c_str()), INVALID_FILE_ATTRIBUTES);
    Settings defaults(damaged.settings);
    EXPECT_EQ(defaults.Bool(kVolumeSlider), 0);
    EXPECT_EQ(defaults.Text(kSkinName), "");
    EXPECT_EQ(defaults.Text(kBalloonFormat), kEnglishDefaultFormat);
    EXPECT_TRUE(damaged.saved);

    ConfigStore::ReadResult untouched = store->Read(L"foo_other.dll");
    EXPECT_EQ(untouched.outcome, Outcome::Read);
    EXPECT_EQ(untouched.bytes, other);
    Run after = RunPlayer();
    EXPECT_EQ(after.restored, Outcome::Read) << "the next start reads the file saved from the defaults";
    EXPECT_TRUE(after.popups.size() < damaged.popups.size());
}

TEST_F(ConfigPersistence, AFileThatCannotBeReadIsNotSavedOver) {
    SetImportNumber(L"VolumeSlider", 1);
    ASSERT_TRUE(RunPlayer().saved);
    const std::wstring path = store->PathFor(kComponent);
    ConfigStore::ReadResult before = store->Read(kComponent);
    UniqueKernelHandle lock = OwnFile(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    Run locked = RunPlayer();
    lock.reset();
    EXPECT_EQ(locked.restored, Outcome::Unreadable);
    EXPECT_FALSE(locked.saved);
    EXPECT_TRUE(Mentions(locked.popups, "could not be read"));
    EXPECT_EQ(Settings(locked.settings).Bool(kVolumeSlider), 0);
    EXPECT_EQ(store->Read(kComponent).bytes, before.bytes) << "the saved settings wait for the next start";
}

// The player hands the component a stream cut at every byte: what came before the cut is
// restored, everything else keeps its default, and the component keeps working.
TEST_F(ConfigPersistence, TheComponentTakesAStreamCutAtAnyByte) {
    Host host;
    LoadedComponent component(host);
    ASSERT_TRUE(component.Load(kComponent)) << component.Error();
    const std::vector<char> defaults = component.GetConfig();
    Settings defaultSettings(defaults);

    SetImportNumber(L"VolumeSlider", 1);
    SetImportNumber(L"ShowBalloon", 0);
    SetImportNumber(L"AutoVolumeOnStream", 0);
    SetImportText(L"BalloonTitle", L"cut");
    SetImportText(L"SkinName", L"Blue");
    Run run = RunPlayer();
    const std::vector<char> changed = run.settings;
    Settings changedSettings(changed);
    ASSERT_EQ(changedSettings.Count(), 12u);

    for (size_t cut = 0; cut <= changed.size(); ++cut) {
        component.SetConfig(defaults);
        component.SetConfig(std::vector<char>(changed.begin(), changed.begin() + cut));
        Settings now(component.GetConfig());
        ASSERT_EQ(now.Count(), 12u) << "cut at " << cut;
        for (size_t i = 0; i < changedSettings.Order().size(); ++i) {
            const std::string& guid = changedSettings.Order()[i];
            const std::string& expected =
                changedSettings.End(guid) <= cut ? changedSettings.Raw(guid) : defaultSettings.Raw(guid);
            ASSERT_EQ(now.Raw(guid), expected) << "cut at " << cut << ", setting " << i << " of the stream";
        }
    }
}

} // namespace
