// The skins list: "[Built-In]" first, then the skin folders inside the "Trelvane" folder
// beside the component's module.
#include "prefs/pref_page_instance.h"
#include "base/text_convert.h"
#include "prefs/page_controls.h"
#include "sdk/core_api.h"
#include "settings/config_vars.h"

#include <vector>

using namespace PageControl;
using namespace PageControls;

namespace {

const wchar_t* const kBuiltIn = L"[Built-In]";
const wchar_t* const kParentEntry = L"[..]";
const wchar_t* const kCurrentEntry = L"[.]";
constexpr int kSkinsFolderCapacity = 512;

// The folder holding the skin folders; empty when it would not fit the listing's buffer.
std::wstring SkinsFolder() {
    std::vector<wchar_t> path(32768);
    DWORD length = GetModuleFileNameW(core_api::get_my_instance(), path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), length);
    folder.resize(folder.find_last_of(L"\\/") == std::wstring::npos ? 0 : folder.find_last_of(L"\\/") + 1);
    folder += L"Trelvane";
    return folder.size() < kSkinsFolderCapacity ? folder : std::wstring();
}

// The listing moves the process's current directory into the folder; this puts it back.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() {
        DWORD length = GetCurrentDirectoryW(0, nullptr);
        std::vector<wchar_t> buffer(length + 1);
        GetCurrentDirectoryW(length + 1, buffer.data());
        saved = buffer.data();
    }
    ~CurrentDirectoryKeeper() { SetCurrentDirectoryW(saved.c_str()); }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::wstring saved;
};

void ListFolders(HWND dialog, const std::wstring& folder) {
    if (folder.empty()) return;
    wchar_t listed[kSkinsFolderCapacity] = {};
    lstrcpynW(listed, folder.c_str(), kSkinsFolderCapacity);
    CurrentDirectoryKeeper keeper;
    DlgDirListComboBoxW(dialog, listed, IDC_SKINS, 0, DDL_DIRECTORY | DDL_EXCLUSIVE);
}

void ReplaceEntry(HWND list, int position, const std::wstring& text) {
    SendMessageW(list, CB_INSERTSTRING, position, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, CB_DELETESTRING, position + 1, 0);
}

// "[..]" becomes "[Built-In]", and moves to the top should a folder name sort before it;
// every other "[name]" becomes "name".
void RenameEntries(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_SKINS);
    for (int position = 0; position < EntryCount(dialog, IDC_SKINS);) {
        std::wstring entry = EntryText(dialog, IDC_SKINS, position);
        if (entry == kCurrentEntry) {
            SendMessageW(list, CB_DELETESTRING, position, 0);
            continue;
        }
        if (entry == kParentEntry) {
            SendMessageW(list, CB_DELETESTRING, position, 0);
            SendMessageW(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(kBuiltIn));
        } else if (entry.size() >= 2) {
            ReplaceEntry(list, position, entry.substr(1, entry.size() - 2));
        }
        ++position;
    }
    if (EntryText(dialog, IDC_SKINS, 0) != kBuiltIn)
        SendMessageW(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(kBuiltIn));
}

void SelectStoredSkin(HWND dialog) {
    std::wstring stored = String8ToWide(cfg::SkinName.get_ptr());
    LRESULT found = stored.empty() ? 0
                                   : SendDlgItemMessageW(dialog, IDC_SKINS, CB_FINDSTRINGEXACT, 0,
                                                         reinterpret_cast<LPARAM>(stored.c_str()));
    // A folder that is gone leaves the built-in images chosen.
    Select(dialog, IDC_SKINS, found == CB_ERR || found == 0 ? 0 : static_cast<int>(found));
}

} // namespace

void TVFPrefPageInst::InitSkinsList() {
    ListFolders(window, SkinsFolder());
    SetDroppedHeight(window, IDC_SKINS, kDroppedListHeight);
    RenameEntries(window);
    SelectStoredSkin(window);
}

std::wstring TVFPrefPageInst::SkinText() const {
    int position = Selection(window, IDC_SKINS);
    return position > 0 ? EntryText(window, IDC_SKINS, position) : std::wstring();
}
