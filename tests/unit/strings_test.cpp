// The string tables as the component's module carries them (here: linked into the test
// executable) and the loader, menu translation and language list built on them.
#include "settings/strings.h"
#include "resources/resource.h"
#include "base/user_handles.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const WORD kNeutral = 0x0000;
const WORD kGerman = 0x0407;
const WORD kRussian = 0x0419;
const WORD kBulgarian = 0x0402;
const WORD kNoTable = 0x0409; // US English: no table of its own

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// Room for the longest text of any table.
constexpr int kLongestText = 1024; // not a resource id: wide characters

std::wstring Load(UINT id, WORD language, bool* found = nullptr) {
    wchar_t buffer[kLongestText];
    bool ok = LoadStringEx(Module(), id, buffer, kLongestText, language);
    if (found) *found = ok;
    return buffer;
}

// The languages whose table holds the block, straight from the resource directory.
std::set<WORD> LanguagesOfBlock(WORD block) {
    std::set<WORD> languages;
    EnumResourceLanguagesW(
        Module(), RT_STRING, MAKEINTRESOURCEW(block),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR out) -> BOOL {
            reinterpret_cast<std::set<WORD>*>(out)->insert(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The ids with a non-empty string in exactly this language's table, without any fallback.
std::set<UINT> IdsOfTable(WORD language) {
    std::set<UINT> ids;
    for (WORD block = IDS_FIRST / 16 + 1; block <= 1610 / 16 + 1; ++block) {
        if (!LanguagesOfBlock(block).count(language)) continue;
        HRSRC found = FindResourceExW(Module(), RT_STRING, MAKEINTRESOURCEW(block), language);
        const WCHAR* p = static_cast<const WCHAR*>(LockResource(LoadResource(Module(), found)));
        for (UINT index = 0; index < 16; ++index) {
            WCHAR count = *p++;
            if (count) ids.insert((block - 1) * 16 + index);
            p += count;
        }
    }
    return ids;
}

const std::map<WORD, std::wstring> kLanguageNames = {
    {0x0000, L"English"},
    {0x0402, L"български език"},
    {0x0405, L"Čeština (Czech)"},
    {0x0406, L"Dansk (Danish)"},
    {0x0407, L"Deutsch (German)"},
    {0x0408, L"Ρωμαίικα (Greek)"},
    {0x040A, L"Español (Spanish)"},
    {0x040B, L"suomi (Finnish)"},
    {0x040E, L"Magyar (Hungarian)"},
    {0x0410, L"Italiano (Italian)"},
    {0x0413, L"Nederlands (Dutch)"},
    {0x0415, L"Polski (Polish)"},
    {0x0416, L"Português do Brasil (Portuguese)"},
    {0x0418, L"Română (Romanian)"},
    {0x0419, L"Русский (Russian)"},
    {0x041B, L"Slovenčina (Slovak)"},
    {0x041D, L"Svenska (Swedish)"},
    {0x041F, L"Türkçe (Turkish)"},
    {0x0425, L"Eesti (Estonian)"},
    {0x042A, L"Tiếng Việt (Vietnamese)"},
    {0x042F, L"македонски (Macedonian)"},
    {0x0804, L"简体字 (S. Chinese)"},
    {0x081A, L"Srpski jezik (Serbian Latin)"},
    {0x0C0C, L"Français (French)"},
};

// resource values typed: the string ids and their texts as the string tables define them.
TEST(StringTables, NeutralTableServesLanguageZeroAndLanguagesWithoutATable) {
    for (WORD language : {kNeutral, kNoTable, WORD(0x0C09), WORD(0x0007)}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(Load(1000, language), L"&Back");
        EXPECT_EQ(Load(1130, language), L"English");
        EXPECT_EQ(Load(1603, language), L"See 'Title formatting' for syntax");
        EXPECT_EQ(Load(1139, language), L"Do you want to delete the current playing song? The file will be "
                                        L"moved in the Recycle Bin if possible.");
        for (UINT credit : {1131u, 1132u, 1133u}) {
            bool found = true;
            EXPECT_EQ(Load(credit, language, &found), L"") << credit;
            EXPECT_FALSE(found) << credit;
        }
    }
}

// resource values typed: the string ids and their texts as the string tables define them.
TEST(StringTables, ATranslationServesItsOwnTextsAndCredits) {
    EXPECT_EQ(Load(1000, kGerman), L"&Zurück");
    EXPECT_EQ(Load(1131, kGerman), L"Übersetzung:");
    EXPECT_EQ(Load(1132, kGerman), L"the Trelvane team");
    EXPECT_EQ(Load(1000, kRussian), L"&Назад");
    EXPECT_EQ(Load(1119, kNeutral), L"Show a card when the pointer rests on the strip");
    EXPECT_EQ(Load(1119, kGerman), L"Eine Karte zeigen, wenn der Mauszeiger auf der Leiste ruht");
    EXPECT_EQ(Load(1130, 0x0804), L"简体字 (S. Chinese)");
    EXPECT_EQ(Load(1130, 0x042A), L"Tiếng Việt (Vietnamese)");
}

// resource values typed: the ids every translation must hold.
TEST(StringTables, EveryTranslationHoldsEveryNeutralStringAndItsCredits) {
    const std::set<UINT> neutral = IdsOfTable(kNeutral);
    ASSERT_EQ(neutral.size(), 34u);
    std::set<UINT> translated = neutral;
    translated.insert({1131, 1132, 1133});
    for (const auto& language : kLanguageNames) {
        if (language.first == kNeutral) continue;
        SCOPED_TRACE(language.first);
        EXPECT_EQ(IdsOfTable(language.first), translated);
        std::wstring contact = Load(1133, language.first);
        EXPECT_EQ(contact.substr(contact.size() - 12), L".example.org") << "no real address";
        EXPECT_EQ(Load(1132, language.first), L"the Trelvane team");
    }
}

// The labels go into a title-formatting pattern unquoted: none may carry its syntax.
TEST(StringTables, BalloonLabelsHoldNoTitleFormattingSyntax) {
    for (const auto& language : kLanguageNames)
        for (UINT id : {1135u, 1136u, 1137u, 1138u}) {
            std::wstring label = Load(id, language.first);
            EXPECT_FALSE(label.empty()) << language.first << " " << id;
            EXPECT_EQ(label.find_first_of(L"%$[]',()\\"), std::wstring::npos) << language.first << " " << id;
        }
}

TEST(LanguageList, NamesEachOfTheTwentyFourTablesByItsOwnName) {
    LanguageList list = EnumLanguages(Module());
    ASSERT_EQ(list.size(), 24u);
    std::map<WORD, std::wstring> byLanguage;
    for (const auto& entry : list) byLanguage[entry.second] = entry.first;
    EXPECT_EQ(byLanguage, kLanguageNames);
    for (size_t i = 1; i < list.size(); ++i) EXPECT_LT(list[i - 1].first, list[i].first) << "ordered by name";
}

TEST(LanguageList, ALanguageWithTheNameOfOneAlreadyListedIsNotAddedAgain) {
    LanguageCollection collection;
    EnumResLangProc(Module(), RT_STRING, MAKEINTRESOURCEW(71), kGerman, reinterpret_cast<LONG_PTR>(&collection));
    // A language without a table shows the neutral name, "English", like the neutral table.
    EnumResLangProc(Module(), RT_STRING, MAKEINTRESOURCEW(71), kNeutral, reinterpret_cast<LONG_PTR>(&collection));
    EXPECT_TRUE(
        EnumResLangProc(Module(), RT_STRING, MAKEINTRESOURCEW(71), kNoTable, reinterpret_cast<LONG_PTR>(&collection)));
    EXPECT_EQ(collection, (LanguageCollection{{L"Deutsch (German)", kGerman}, {L"English", kNeutral}}));
}

TEST(LoadStringEx, CapacityCutsTheTextAndNothingIsWrittenBeyondIt) {
    const std::wstring full = Load(IDS_DELETE_QUESTION, kBulgarian);
    ASSERT_GT(full.size(), 127u) << "a text longer than the language-name buffer";
    for (int capacity : {1, 2, 128, 256, 1024}) { // not a resource id: buffer sizes
        SCOPED_TRACE(capacity);
        std::vector<wchar_t> buffer(capacity + 8, L'\xCCCC');
        bool found = LoadStringEx(Module(), IDS_DELETE_QUESTION, buffer.data(), capacity, kBulgarian);
        size_t expected = std::min<size_t>(full.size(), capacity - 1);
        EXPECT_EQ(std::wstring(buffer.data()), full.substr(0, expected));
        EXPECT_EQ(found, expected > 0);
        for (size_t i = capacity; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], L'\xCCCC') << "written at " << i;
    }
}

TEST(LoadStringEx, NoBufferOrNoRoomIsRefusedWithoutWriting) {
    wchar_t untouched = L'x';
    EXPECT_FALSE(LoadStringEx(Module(), IDS_MENU_BACK, &untouched, 0, kNeutral));
    EXPECT_FALSE(LoadStringEx(Module(), IDS_MENU_BACK, &untouched, -5, kNeutral));
    EXPECT_EQ(untouched, L'x');
    EXPECT_FALSE(LoadStringEx(Module(), IDS_MENU_BACK, nullptr, 256, kNeutral));
}

// resource values typed: numbers next to the ids that exist, and ids that alias them when cut short.
TEST(LoadStringEx, IdsThatNoTableHoldsGiveAnEmptyText) {
    // 0x100000 + 1000 would land on the block of 1000 if its block number were cut to 16 bits.
    const UINT ids[] = {0, 1, 999, 1001, 1134, 1600, 0xFFFF, 0x10000 + 1000, 0x100000 + 1000, 0xFFFFFu, 0xFFFFFFFFu};
    for (WORD language : {kNeutral, kGerman, kNoTable})
        for (UINT id : ids) {
            SCOPED_TRACE(testing::Message() << language << " " << id);
            wchar_t buffer[16] = L"previous";
            EXPECT_FALSE(LoadStringEx(Module(), id, buffer, 16, language));
            EXPECT_EQ(buffer[0], L'\0');
            EXPECT_EQ(LoadResString(Module(), id, language), L"");
        }
}

class MenuTranslation : public testing::Test {
protected:
    MenuTranslation() : bar(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_TRAY_MENU))), menu(GetSubMenu(bar.get(), 0)) {}

    // Every item of the popup and of its two submenus.
    void Translate(WORD language) {
        for (HMENU m : {menu, Load(), Configuration()})
            for (int position = 0; position < GetMenuItemCount(m); ++position)
                SetMenuString(Module(), m, position, language);
    }
    // The submenus as the resource places them.
    HMENU Load() { return GetSubMenu(menu, 4); }
    HMENU Configuration() { return GetSubMenu(menu, 7); }
    UINT State(HMENU m, int position) { return GetMenuState(m, static_cast<UINT>(position), MF_BYPOSITION); }

    UniqueMenu bar;
    HMENU menu;
};

TEST_F(MenuTranslation, ASecondLanguageReplacesTheFirstAndTheItemsKeepWhatTheyWere) {
    ASSERT_NE(menu, nullptr);
    HMENU load = Load();
    HMENU configuration = Configuration();
    std::vector<UINT> ids;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) ids.push_back(GetMenuItemID(menu, position));

    Translate(kGerman);
    EXPECT_EQ(GetMenuString(menu, 0), L"&Zurück") << "German";
    EXPECT_EQ(GetMenuString(menu, 4), L"&Laden") << "German";
    EXPECT_EQ(GetMenuString(configuration, 1), L"&Lautstärkeregler") << "German";

    Translate(kRussian);
    EXPECT_EQ(GetMenuString(menu, 0), L"&Назад") << "Russian";
    EXPECT_EQ(GetMenuString(menu, 7), L"&Настройка") << "Russian";
    EXPECT_EQ(GetMenuString(load, 2), L"&URL") << "Russian";
    EXPECT_EQ(GetMenuString(configuration, 4), L"&Сбросить значки в трее") << "Russian";
    EXPECT_EQ(GetMenuString(menu, 9), L"Показать/&скрыть Foobar2000") << "Russian";

    Translate(kNoTable);
    EXPECT_EQ(GetMenuString(menu, 10), L"&Quit Foobar2000") << "no table";
    EXPECT_EQ(GetMenuString(configuration, 0), L"&Seek Slider") << "no table";

    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        EXPECT_EQ(GetMenuItemID(menu, position), ids[position]) << position;
    EXPECT_EQ(Load(), load);
    EXPECT_EQ(Configuration(), configuration);
    EXPECT_EQ(GetMenuItemID(load, 0), UINT(ID_TRAY_LOAD_FILE));
    EXPECT_TRUE(State(configuration, 1) & MF_CHECKED) << "the check mark of the resource stays";
    EXPECT_TRUE(State(menu, 6) & MF_SEPARATOR);
    EXPECT_TRUE(State(menu, 8) & MF_SEPARATOR);
    EXPECT_TRUE(State(configuration, 2) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuString(menu, 11), L" ") << "the title item is no string id";
}

// resource values typed: item texts that are string ids, written as a menu resource holds them.
TEST(MenuStrings, OnlyTextsThatStartWithAStringIdAreReplaced) {
    UniqueMenu owner(CreatePopupMenu());
    HMENU menu = owner.get();
    for (const wchar_t* text : {L"999", L"abc", L"", L"1000 and more", L"1001", L"99999999999", L"-1000"})
        AppendMenuW(menu, MF_STRING, 1, text);
    for (int position = 0; position < 9; ++position) SetMenuString(Module(), menu, position, kGerman);
    EXPECT_EQ(GetMenuString(menu, 0), L"999");
    EXPECT_EQ(GetMenuString(menu, 1), L"abc");
    EXPECT_EQ(GetMenuString(menu, 2), L"") << "an empty text";
    EXPECT_EQ(GetMenuString(menu, 3), L"&Zurück") << "1000 and more";
    EXPECT_EQ(GetMenuString(menu, 4), L"") << "1001: an id without a string empties the item";
    EXPECT_EQ(GetMenuString(menu, 5), L"99999999999");
    EXPECT_EQ(GetMenuString(menu, 6), L"-1000");
    EXPECT_EQ(GetMenuItemCount(menu), 7) << "positions past the end add nothing";
}

// A destroyed menu's handle may come back for a new menu: the new item's own id counts.
// resource values typed: item texts that are string ids, written as a menu resource holds them.
TEST(MenuStrings, AnItemStillShowingAnIdIsTranslatedFromThatId) {
    UniqueMenu owner(CreatePopupMenu());
    HMENU menu = owner.get();
    AppendMenuW(menu, MF_STRING, 7, L"1000");
    SetMenuString(Module(), menu, 0, kNeutral);
    ASSERT_EQ(GetMenuString(menu, 0), L"&Back");
    ModifyMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 7, L"1030");
    SetMenuString(Module(), menu, 0, kNeutral);
    EXPECT_EQ(GetMenuString(menu, 0), L"&Next") << "1030 after 1000";
    SetMenuString(Module(), menu, 0, kGerman);
    EXPECT_EQ(GetMenuString(menu, 0), L"&Weiter") << "1030 again, in German";
}

TEST(MenuStrings, GetMenuStringReadsAtMost254Characters) {
    UniqueMenu owner(CreatePopupMenu());
    HMENU menu = owner.get();
    AppendMenuW(menu, MF_STRING, 1, std::wstring(300, L'x').c_str());
    EXPECT_EQ(GetMenuString(menu, 0), std::wstring(254, L'x'));
    EXPECT_EQ(GetMenuString(menu, 5), L"");
}

} // namespace
