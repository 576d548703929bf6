// Labels of the page in a language: the numbered controls, the balloon check box with the
// hide-after list beside it, the translator's credit line and the maker's address line.
#include "prefs/pref_page_instance.h"
#include "base/scoped_select.h"
#include "base/window_dc.h"
#include "prefs/page_controls.h"
#include "sdk/core_api.h"
#include "settings/strings.h"

#include <cwchar>

namespace {

constexpr UINT kFirstStringId = IDS_FIRST;
constexpr UINT kHideAfterLabel = IDS_PAGE_HIDE_AFTER;
constexpr UINT kCreditIntro = IDS_TRANSLATOR_INTRO;
constexpr UINT kTranslatorName = IDS_TRANSLATOR_NAME;
constexpr UINT kTranslatorContact = IDS_TRANSLATOR_CONTACT;
// Room for the text of a page control while it is read.
constexpr int kControlTextCapacity = 1024; // not a resource id: a buffer size
constexpr int kLabelPadding = 25;
constexpr int kListGap = 10;
const wchar_t* const kMakerAddressLine = L"https://trelvane.example.org/ - trelvane@example.org";

// Only labels carry string ids: the text of an edit box or a list is the user's.
bool IsLabel(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, L"Static") == 0 || lstrcmpiW(className, L"Button") == 0;
}

UINT LeadingNumberOf(HWND control) {
    wchar_t text[kControlTextCapacity] = {};
    GetWindowTextW(control, text, kControlTextCapacity);
    return LeadingNumber(text);
}

// The string id of a label: read from its resource text on the first pass and kept in the
// control's user data, since after that the text is no longer a number.
UINT LabelStringId(HWND control) {
    UINT id = LeadingNumberOf(control);
    if (id >= kFirstStringId) SetWindowLongPtrW(control, GWLP_USERDATA, static_cast<LONG_PTR>(id));
    else id = static_cast<UINT>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return id;
}

// The translations' introductions carry their own colon ("Übersetzung:", "翻译："); the
// name then follows after a space rather than a second colon.
bool EndsWithColon(const std::wstring& text) {
    return !text.empty() && (text.back() == L':' || text.back() == L'\xFF1A');
}

} // namespace

BOOL CALLBACK TVFPrefPageInst::SetTextProc(HWND control, LPARAM language) {
    if (!IsLabel(control)) return TRUE;
    UINT id = LabelStringId(control);
    if (id < kFirstStringId) return TRUE;
    HINSTANCE module = core_api::get_my_instance();
    WORD langId = static_cast<WORD>(language);
    std::wstring text = LoadResString(module, id, langId);
    if (GetDlgCtrlID(control) == IDC_SHOW_BALLOON) text += L" - " + LoadResString(module, kHideAfterLabel, langId);
    SetWindowTextW(control, text.c_str());
    return TRUE;
}

void TVFPrefPageInst::translatetext(WORD language) {
    EnumChildWindows(window, &TVFPrefPageInst::SetTextProc, language);
    int right = ShrinkLabel();
    HWND list = GetDlgItem(window, IDC_HIDE_AFTER);
    RECT rect;
    GetWindowRect(list, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    // Moved only: sizing a drop-down list would also shorten its list part.
    SetWindowPos(list, nullptr, right + kListGap, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowCreditLine(language);
    PageControls::SetText(window, IDC_WEB_ADDRESS, kMakerAddressLine);
}

void TVFPrefPageInst::ShowCreditLine(WORD language) {
    HINSTANCE module = core_api::get_my_instance();
    std::wstring credit = LoadResString(module, kCreditIntro, language);
    HWND line = GetDlgItem(window, IDC_TRANSLATOR_CREDIT);
    if (credit.empty()) {
        ShowWindow(line, SW_HIDE);
        return;
    }
    std::wstring name = LoadResString(module, kTranslatorName, language);
    if (!name.empty()) {
        credit += EndsWithColon(credit) ? L" " : L": ";
        credit += name;
        std::wstring contact = LoadResString(module, kTranslatorContact, language);
        if (!contact.empty()) credit += L" - " + contact;
    }
    SetWindowTextW(line, credit.c_str());
    ShowWindow(line, SW_SHOW);
}

int TVFPrefPageInst::ShrinkLabel() {
    HWND label = GetDlgItem(window, IDC_SHOW_BALLOON);
    wchar_t text[kControlTextCapacity] = {};
    GetWindowTextW(label, text, kControlTextCapacity);
    RECT rect;
    GetWindowRect(label, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    RECT measured = rect;
    {
        // Measured in the default GUI font, which the label shows.
        WindowDC dc(label);
        ScopedSelectObject font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc.get(), text, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    }
    int right = measured.right + kLabelPadding;
    SetWindowPos(label, nullptr, 0, 0, right - rect.left, measured.bottom - measured.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return right;
}
