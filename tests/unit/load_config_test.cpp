// The settings side of the registry, against Wine's real registry: the one-time import of the
// older key, the live switches, values of every wrong type and size, the balloon-format
// normalisation and the default balloon format with its localised labels.
#include "settings/config_vars.h"
#include "settings/registry_settings.h"

#include "base/text_convert.h"
#include "tests/support/in_process_host.h"
#include "tests/support/registry_write.h"
#include "settings/registry_key.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kEnglishDefaultFormat =
    "[Artist: %artist%\r\n][Album: %album%\r\n][File: %_filename_ext%\r\n][Length: %_length%\r\n]"
    "[%__bitrate%kbps ][%__bitrate_dynamic%kbps ][%__samplerate%Hz]\r\n";
const char* const kGermanDefaultFormat =
    "[Interpret: %artist%\r\n][Album: %album%\r\n][Datei: %_filename_ext%\r\n][Länge: %_length%\r\n]"
    "[%__bitrate%kbps ][%__bitrate_dynamic%kbps ][%__samplerate%Hz]\r\n";

void ResetSettings() {
    cfg::VolumeSlider = false;
    cfg::ShowBalloon = true;
    cfg::ShowBalloonOnStream = true;
    cfg::AutoVolumeOnStream = true;
    cfg::PauseOnScreenSaver = false;
    cfg::BalloonHideAfter = 4;
    cfg::Language = 0;
    cfg::Windows7NoticeShown = false;
    cfg::BalloonTitle = cfg::kDefaultBalloonTitle;
    cfg::BalloonFormat = cfg::kDefaultFormatMarker;
    cfg::SkinName = "";
}

std::vector<BYTE> Bytes(const std::wstring& text, bool withNul = true) {
    const BYTE* p = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(p, p + (text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t));
}
std::vector<BYTE> Dword(DWORD value) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    return std::vector<BYTE>(p, p + sizeof(value));
}

class RegistrySettings : public testing::Test {
protected:
    RegistrySettings() {
        RemoveKeys();
        ResetSettings();
    }
    ~RegistrySettings() override {
        RemoveKeys();
        ResetSettings();
    }
    static void RemoveKeys() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kImportKeyPath);
        RegDeleteKeyW(HKEY_CURRENT_USER, kImportKeyPath);
        RegDeleteTreeW(HKEY_CURRENT_USER, kLiveKeyPath);
        RegDeleteKeyW(HKEY_CURRENT_USER, kLiveKeyPath);
    }
    static void Set(const wchar_t* path, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
        EXPECT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, path, name, type, data.empty() ? nullptr : data.data(),
                                       static_cast<DWORD>(data.size())))
            << "writing the test value";
    }
    static void SetImport(const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
        Set(kImportKeyPath, name, type, data);
    }
    static bool ImportKeyExists() {
        return static_cast<bool>(OpenRegistryKey(HKEY_CURRENT_USER, kImportKeyPath));
    }

    InProcessHost stand_in;
};

TEST_F(RegistrySettings, WithoutTheOldKeyOnlyTheLineBreakEscapesChange) {
    cfg::VolumeSlider = true;
    cfg::ShowBalloon = false;
    cfg::SkinName = "Blue";
    cfg::BalloonTitle = "title\\n";
    cfg::BalloonFormat = "a\\nb\\n\\nc\\\\n\\";
    LoadConfig();
    EXPECT_TRUE(cfg::VolumeSlider);
    EXPECT_FALSE(cfg::ShowBalloon);
    EXPECT_STREQ(cfg::SkinName, "Blue");
    EXPECT_STREQ(cfg::BalloonTitle, "title\\n") << "only the balloon body is normalised";
    EXPECT_STREQ(cfg::BalloonFormat, "a\r\nb\r\n\r\nc\\\r\n\\");
    EXPECT_FALSE(ImportKeyExists());
}

TEST_F(RegistrySettings, AnOldKeyWithOneValueSetsEveryImportedSettingOnceAndIsDeleted) {
    cfg::VolumeSlider = true;
    cfg::ShowBalloon = false;
    cfg::AutoVolumeOnStream = false;
    cfg::ShowBalloonOnStream = false;
    cfg::PauseOnScreenSaver = true;
    cfg::BalloonTitle = "mine";
    cfg::BalloonHideAfter = 9;
    cfg::Windows7NoticeShown = true;
    SetImport(L"SkinName", REG_SZ, Bytes(L"Blue"));
    LoadConfig();
    EXPECT_FALSE(cfg::VolumeSlider) << "imported";
    EXPECT_TRUE(cfg::ShowBalloon);
    EXPECT_TRUE(cfg::AutoVolumeOnStream);
    EXPECT_TRUE(cfg::ShowBalloonOnStream);
    EXPECT_FALSE(cfg::PauseOnScreenSaver);
    EXPECT_STREQ(cfg::BalloonTitle, cfg::kDefaultBalloonTitle);
    EXPECT_STREQ(cfg::BalloonFormat, kEnglishDefaultFormat) << "the default text, not the marker";
    EXPECT_STREQ(cfg::SkinName, "Blue");
    EXPECT_EQ(cfg::BalloonHideAfter, 9) << "not held by the old key";
    EXPECT_TRUE(cfg::Windows7NoticeShown);
    EXPECT_FALSE(ImportKeyExists());

    // The next start finds no key: what was set since stays.
    cfg::VolumeSlider = true;
    cfg::SkinName = "Red";
    LoadConfig();
    EXPECT_TRUE(cfg::VolumeSlider) << "the next start";
    EXPECT_STREQ(cfg::SkinName, "Red") << "the next start";
}

TEST_F(RegistrySettings, AFullOldKeyIsImportedAsItWasStored) {
    SetImport(L"VolumeSlider", REG_DWORD, Dword(1));
    SetImport(L"ShowBalloon", REG_DWORD, Dword(0));
    SetImport(L"AutoVolumeOnStream", REG_DWORD, Dword(0));
    SetImport(L"ShowBalloonOnStream", REG_DWORD, Dword(0));
    SetImport(L"PauseOnScreenSaver", REG_DWORD, Dword(2));
    SetImport(L"BalloonTitle", REG_SZ, Bytes(L"%title% – ♪"));
    SetImport(L"BalloonFormat", REG_SZ, Bytes(L"%artist%\\n%album%"));
    SetImport(L"SkinName", REG_SZ, Bytes(L"Grün"));
    LoadConfig();
    EXPECT_TRUE(cfg::VolumeSlider);
    EXPECT_FALSE(cfg::ShowBalloon);
    EXPECT_FALSE(cfg::AutoVolumeOnStream);
    EXPECT_FALSE(cfg::ShowBalloonOnStream);
    EXPECT_TRUE(cfg::PauseOnScreenSaver);
    EXPECT_STREQ(cfg::BalloonTitle, u8"%title% – ♪");
    EXPECT_STREQ(cfg::BalloonFormat, "%artist%\r\n%album%");
    EXPECT_STREQ(cfg::SkinName, u8"Grün");
    EXPECT_FALSE(ImportKeyExists());
}

TEST_F(RegistrySettings, AMissingFormatImportsTheDefaultOfTheCurrentLanguage) {
    cfg::Language = 0x0407;
    SetImport(L"ShowBalloon", REG_DWORD, Dword(1));
    LoadConfig();
    EXPECT_STREQ(cfg::BalloonFormat, kGermanDefaultFormat);
}

// A key with a subkey cannot be deleted by itself; it would be imported again at every
// start and undo every change made since.
TEST_F(RegistrySettings, AnOldKeyWithSubkeysIsDeletedWhole) {
    SetImport(L"SkinName", REG_SZ, Bytes(L"Blue"));
    Set((std::wstring(kImportKeyPath) + L"\\Leftover\\Deeper").c_str(), L"x", REG_DWORD, Dword(1));
    LoadConfig();
    EXPECT_FALSE(ImportKeyExists());
    cfg::SkinName = "Changed";
    LoadConfig();
    EXPECT_STREQ(cfg::SkinName, "Changed");
}

struct StoredValue {
    const char* what;
    DWORD type;
    std::vector<BYTE> data;
};

TEST_F(RegistrySettings, NumbersAreReadOnlyFromValuesThatHoldANumber) {
    const int kDefault = 7;
    const StoredValue cases[] = {
        {"dword", REG_DWORD, Dword(5)},
        {"negative dword", REG_DWORD, Dword(0xFFFFFFFF)},
        {"four binary bytes", REG_BINARY, {1, 0, 0, 0}},
        {"text zero", REG_SZ, Bytes(L"0")},
        {"text with blanks", REG_SZ, Bytes(L" 12 ")},
        {"negative text", REG_SZ, Bytes(L"-3")},
        {"text without its NUL", REG_SZ, Bytes(L"1", false)},
        {"word", REG_SZ, Bytes(L"abc")},
        {"number and word", REG_SZ, Bytes(L"12abc")},
        {"too large for 32 bits", REG_SZ, Bytes(L"99999999999")},
        {"empty text", REG_SZ, Bytes(L"")},
        {"no bytes", REG_BINARY, {}},
        {"one byte", REG_BINARY, {1}},
        {"three bytes", REG_BINARY, {1, 2, 3}},
        {"qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"very large", REG_BINARY, std::vector<BYTE>(200000, 1)},
    };
    const int expected[] = {5,        -1,       1,        0,        12,       -3,       1,        kDefault,
                            kDefault, kDefault, kDefault, kDefault, kDefault, kDefault, kDefault, kDefault};
    for (size_t i = 0; i < sizeof(expected) / sizeof(expected[0]); ++i) {
        SCOPED_TRACE(cases[i].what);
        SetImport(L"Value", cases[i].type, cases[i].data);
        EXPECT_EQ(GetKeyInt(L"Value", kDefault), expected[i]);
        Set(kLiveKeyPath, L"PreventSleep", cases[i].type, cases[i].data);
        EXPECT_EQ(GetPlayerKeyInt(L"PreventSleep"), expected[i] == kDefault ? 0 : expected[i]);
    }
    EXPECT_EQ(GetKeyInt(L"Missing", kDefault), kDefault);
}

TEST_F(RegistrySettings, TextsEndAtTheirNulOrTheirDataAndNumbersAreNoText) {
    const std::wstring kDefault = L"default";
    std::vector<BYTE> odd = Bytes(L"Blue", false);
    odd.push_back('X');
    std::wstring large(300000, L'w');
    const StoredValue cases[] = {
        {"text", REG_SZ, Bytes(L"Blue")},
        {"text without its NUL", REG_SZ, Bytes(L"Blue", false)},
        {"odd number of bytes", REG_SZ, odd},
        {"inner NUL", REG_SZ, Bytes(std::wstring(L"ab\0cd", 5))},
        {"one byte", REG_SZ, {'A'}},
        {"no bytes", REG_SZ, {}},
        {"expandable text, not expanded", REG_EXPAND_SZ, Bytes(L"%TEMP%")},
        {"text stored as binary", REG_BINARY, Bytes(L"hi", false)},
        {"dword", REG_DWORD, Dword(0x00410041)},
        {"very large", REG_SZ, Bytes(large)},
    };
    const std::wstring expected[] = {L"Blue", L"Blue", L"Blue", L"ab", L"", L"", L"%TEMP%", L"hi", kDefault, large};
    for (size_t i = 0; i < sizeof(expected) / sizeof(expected[0]); ++i) {
        SCOPED_TRACE(cases[i].what);
        SetImport(L"Text", cases[i].type, cases[i].data);
        EXPECT_TRUE(GetKeyStr(L"Text", kDefault) == expected[i]);
    }
    EXPECT_EQ(GetKeyStr(L"Missing", kDefault), kDefault);
    RemoveKeys();
    EXPECT_EQ(GetKeyStr(L"Text", kDefault), kDefault) << "no key";
}

TEST_F(RegistrySettings, LiveSwitchesHaveTheirDefaultsWithoutTheKeyAndAreNeverWritten) {
    EXPECT_EQ(GetPlayerKeyInt(L"HideFoobarIcon"), 0) << "no key";
    EXPECT_EQ(GetPlayerKeyInt(L"PreventSleep"), 0) << "no key";
    EXPECT_EQ(GetPlayerKeyInt(L"ShowExitMenuItem", 1), 1) << "no key";
    Set(kLiveKeyPath, L"ShowExitMenuItem", REG_DWORD, Dword(0));
    Set(kLiveKeyPath, L"HideFoobarIcon", REG_SZ, Bytes(L"1"));
    EXPECT_EQ(GetPlayerKeyInt(L"ShowExitMenuItem", 1), 0) << "with the key";
    EXPECT_EQ(GetPlayerKeyInt(L"HideFoobarIcon"), 1) << "with the key";
    EXPECT_EQ(GetPlayerKeyInt(L"PreventSleep"), 0) << "with the key";
    LoadConfig();
    UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kLiveKeyPath);
    ASSERT_TRUE(key) << "the live key";
    DWORD values = 0;
    RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    EXPECT_EQ(values, 2u) << "the live key is left as it was";
}

TEST_F(RegistrySettings, OnlyTheExactMarkerBecomesTheDefaultFormatOfTheCurrentLanguage) {
    ReplaceDefaultBalloonFormatMarker();
    EXPECT_STREQ(cfg::BalloonFormat, kEnglishDefaultFormat);
    // The 139-character template, its four 3-character placeholders replaced by the labels.
    EXPECT_EQ(std::strlen(cfg::BalloonFormat.get_ptr()), 139u - 4 * 3 + std::strlen("ArtistAlbumFileLength"));

    for (const char* other : {"*default*", "*DEFAULT* ", " *DEFAULT*", "*DEFAULT", "", "*DEFAULT*\\n"}) {
        cfg::BalloonFormat = other;
        ReplaceDefaultBalloonFormatMarker();
        EXPECT_STREQ(cfg::BalloonFormat, other);
    }

    cfg::Language = 0x0407;
    cfg::BalloonFormat = cfg::kDefaultFormatMarker;
    ReplaceDefaultBalloonFormatMarker();
    EXPECT_STREQ(cfg::BalloonFormat, kGermanDefaultFormat) << "the marker in German";
    cfg::Language = 0x0419;
    ReplaceDefaultBalloonFormatMarker();
    EXPECT_STREQ(cfg::BalloonFormat, kGermanDefaultFormat) << "a change of language leaves the stored text alone";
}

TEST_F(RegistrySettings, TheDefaultFormatUsesTheLowSixteenBitsOfTheLanguage) {
    cfg::Language = 0x10407;
    EXPECT_EQ(WideToString8(DEFBALLOONFORMAT()), kGermanDefaultFormat);
    cfg::Language = 0x0409;
    EXPECT_EQ(WideToString8(DEFBALLOONFORMAT()), kEnglishDefaultFormat) << "a language without a table";
    cfg::Language = 0x0804;
    std::wstring chinese = DEFBALLOONFORMAT();
    EXPECT_EQ(chinese.find(L"[艺术家: %artist%\r\n]"), 0u);
    EXPECT_EQ(chinese.find(L"%a%"), std::wstring::npos);
}

} // namespace
