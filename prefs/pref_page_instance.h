#pragma once
// One visit of the preferences page: the dialog window that shows the settings, what the
// player's Apply and Reset buttons do, and the live preview of another language.
#include "sdk/preferences_page.h"
#include <windows.h>
#include <string>

class TVFPrefPageInst : public preferences_page_instance {
public:
    TVFPrefPageInst(HWND parent, service_ptr_t<preferences_page_callback> callback);
    ~TVFPrefPageInst();

    t_uint32 get_state() override;
    HWND get_wnd() override { return window; }
    void apply() override;
    void reset() override;

    // The instance whose dialog is open; the dialog is created without a creation parameter,
    // so its procedure finds the instance here. Null while no page is open.
    static TVFPrefPageInst* Current() { return current; }

    static INT_PTR CALLBACK ConfigProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code);
    // Fills the dialog when it opens.
    void init(HWND dialog);
    // Re-labels every numbered control, and the credit line, in `language`.
    void translatetext(WORD language);
    static BOOL CALLBACK SetTextProc(HWND control, LPARAM language);
    // Fits the balloon check box to its text; returns its new right edge in client pixels.
    int ShrinkLabel();

private:
    t_uint32 StateShown() const;
    void StoreShown();
    void ShowDefaults();
    void InitHideAfterList();
    void InitSkinsList();
    void InitLanguagesList();
    void ShowSettings();
    void ShowCreditLine(WORD language);
    // The chosen skin folder's name; empty for the built-in images.
    std::wstring SkinText() const;
    // The LANGID chosen in the list, or -1 when the list has no selection.
    int ChosenLanguage() const;
    void NotifyStateChanged();

    static TVFPrefPageInst* current;
    service_ptr_t<preferences_page_callback> callback;
    HWND window = nullptr;
};
